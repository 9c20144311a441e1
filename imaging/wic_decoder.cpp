#include "imaging/wic_decoder.h"

#include <objbase.h>
#include <wincodec.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "imaging/bmp_loader.h"
#include "skin/core/skin_error.h"

namespace glyphora {

namespace {

template <class T>
struct ComPtr {
  T* p = nullptr;
  ~ComPtr() { if (p) p->Release(); }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
};

[[noreturn]] void Fail(const char* what, HRESULT hr) {
  char buf[128];
  std::snprintf(buf, sizeof buf, "the image could not be decoded (%s, 0x%08lX)", what,
                static_cast<unsigned long>(hr));
  throw ESkinError(buf);
}

// COM for the current thread, when the thread has not initialised it.
class ComScope {
 public:
  ComScope() {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // S_OK and S_FALSE both need a matching CoUninitialize; RPC_E_CHANGED_MODE
    // means COM is already up in another model, which is fine to use.
    owns_ = SUCCEEDED(hr);
  }
  ~ComScope() { if (owns_) CoUninitialize(); }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool owns_ = false;
};

class TWicDecoder : public TImageDecoder {
 public:
  TBitmap32 Decode(std::span<const uint8_t> bytes) override {
    if (batchDepth_ > 0 && factory_) return DecodeWith(factory_, bytes);
    ComScope com;
    ComPtr<IWICImagingFactory> factory;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) Fail("no imaging factory", hr);
    return DecodeWith(factory.p, bytes);
  }

  void BeginBatch() override {
    if (batchDepth_++ > 0) return;
    com_ = new ComScope();
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, reinterpret_cast<void**>(&factory_));
    if (FAILED(hr)) factory_ = nullptr;  // Decode then reports the failure per image
  }

  void EndBatch() override {
    if (batchDepth_ == 0 || --batchDepth_ > 0) return;
    if (factory_) factory_->Release();
    factory_ = nullptr;
    delete com_;
    com_ = nullptr;
  }

 private:
  static TBitmap32 DecodeWith(IWICImagingFactory* factory, std::span<const uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > 0x7FFFFFFF) Fail("bad size", E_INVALIDARG);
    ComPtr<IWICStream> stream;
    HRESULT hr = factory->CreateStream(&stream);
    if (FAILED(hr)) Fail("stream", hr);
    hr = stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
    if (FAILED(hr)) Fail("stream", hr);
    ComPtr<IWICBitmapDecoder> decoder;
    hr = factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, &decoder);
    if (FAILED(hr)) Fail("unknown or damaged format", hr);
    ComPtr<IWICBitmapFrameDecode> frame;
    hr = decoder->GetFrame(0, &frame);
    if (FAILED(hr)) Fail("no frame", hr);
    ComPtr<IWICFormatConverter> converter;
    hr = factory->CreateFormatConverter(&converter);
    if (FAILED(hr)) Fail("converter", hr);
    hr = converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                               WICBitmapPaletteTypeCustom);
    if (FAILED(hr)) Fail("conversion", hr);
    UINT w = 0, h = 0;
    hr = converter->GetSize(&w, &h);
    if (FAILED(hr)) Fail("size", hr);
    if (w == 0 || h == 0) return TBitmap32();
    if (w > static_cast<UINT>(kMaxBmpSide) || h > static_cast<UINT>(kMaxBmpSide) ||
        int64_t(w) * h > kMaxBmpPixels)
      throw ESkinError("the image is too large");
    TBitmap32 out(static_cast<int32_t>(w), static_cast<int32_t>(h));
    const UINT stride = w * 4;
    if (out.StrideBytes() == static_cast<ptrdiff_t>(stride)) {
      hr = converter->CopyPixels(nullptr, stride, stride * h, reinterpret_cast<BYTE*>(out.ScanLine(0)));
      if (FAILED(hr)) Fail("pixels", hr);
    } else {
      std::vector<uint8_t> buf(size_t(stride) * h);
      hr = converter->CopyPixels(nullptr, stride, static_cast<UINT>(buf.size()), buf.data());
      if (FAILED(hr)) Fail("pixels", hr);
      for (UINT y = 0; y < h; ++y) std::memcpy(out.ScanLine(static_cast<int32_t>(y)), &buf[size_t(y) * stride], stride);
    }
    return out;
  }

  int batchDepth_ = 0;
  ComScope* com_ = nullptr;
  IWICImagingFactory* factory_ = nullptr;
};

}  // namespace

TImageDecoder& WicImageDecoder() {
  static TWicDecoder decoder;
  return decoder;
}

void InstallWicDecoder() { SetDefaultImageDecoder(&WicImageDecoder()); }

}  // namespace glyphora
