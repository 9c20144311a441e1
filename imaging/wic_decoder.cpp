#include "imaging/wic_decoder.h"

#include <objbase.h>
#include <wincodec.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/com_ptr.h"
#include "base/scope_exit.h"
#include "imaging/bmp_loader.h"
#include "base/skin_error.h"

namespace glyphora {

namespace {

[[noreturn]] void Fail(const char* what, HRESULT hr) {
  char buf[128];
  std::snprintf(buf, sizeof buf, "the image could not be decoded (%s, 0x%08lX)", what,
                static_cast<unsigned long>(hr));
  throw ESkinError(buf);
}

bool IsPng(std::span<const uint8_t> b) {
  static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  return b.size() >= 8 && std::memcmp(b.data(), sig, 8) == 0;
}
bool IsJpeg(std::span<const uint8_t> b) { return b.size() >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF; }

// The WIC objects decoding needs; made once per cache.
struct WicObjects {
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IClassFactory> png, jpeg;  // decoder class objects: no registry walk per image

  HRESULT Create() {
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  factory.OutVoid());
    if (FAILED(hr)) return hr;
    // Without these the factory's own format detection is used.
    CoGetClassObject(CLSID_WICPngDecoder, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, png.OutVoid());
    CoGetClassObject(CLSID_WICJpegDecoder, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, jpeg.OutVoid());
    return S_OK;
  }
  void Reset() {
    jpeg.Reset();
    png.Reset();
    factory.Reset();
  }
};

TBitmap32 DecodeWith(const WicObjects& w, std::span<const uint8_t> bytes) {
  if (bytes.empty() || bytes.size() > 0x7FFFFFFF) Fail("bad size", E_INVALIDARG);
  ComPtr<IWICStream> stream;
  HRESULT hr = w.factory->CreateStream(stream.Out());
  if (FAILED(hr)) Fail("stream", hr);
  hr = stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
  if (FAILED(hr)) Fail("stream", hr);

  ComPtr<IWICBitmapDecoder> decoder;
  IClassFactory* known = IsPng(bytes) ? w.png.get() : IsJpeg(bytes) ? w.jpeg.get() : nullptr;
  if (known && SUCCEEDED(known->CreateInstance(nullptr, IID_IWICBitmapDecoder, decoder.OutVoid()))) {
    hr = decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand);
  } else {
    hr = w.factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.Out());
  }
  if (FAILED(hr)) Fail("unknown or damaged format", hr);
  ComPtr<IWICBitmapFrameDecode> frame;
  hr = decoder->GetFrame(0, frame.Out());
  if (FAILED(hr)) Fail("no frame", hr);

  // Frames already in 32-bit BGRA (straight alpha) are copied as they are;
  // anything else goes through a format converter.
  WICPixelFormatGUID format{};
  frame->GetPixelFormat(&format);
  IWICBitmapSource* source = frame.get();
  ComPtr<IWICFormatConverter> converter;
  if (!IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA)) {
    hr = w.factory->CreateFormatConverter(converter.Out());
    if (FAILED(hr)) Fail("converter", hr);
    hr = converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                               WICBitmapPaletteTypeCustom);
    if (FAILED(hr)) Fail("conversion", hr);
    source = converter.get();
  }
  UINT width = 0, height = 0;
  hr = source->GetSize(&width, &height);
  if (FAILED(hr)) Fail("size", hr);
  if (width == 0 || height == 0) return TBitmap32();
  if (width > static_cast<UINT>(kMaxBmpSide) || height > static_cast<UINT>(kMaxBmpSide) ||
      int64_t(width) * height > kMaxBmpPixels)
    throw ESkinError("the image is too large");
  TBitmap32 out(static_cast<int32_t>(width), static_cast<int32_t>(height));
  const UINT stride = width * 4;
  if (out.StrideBytes() == static_cast<ptrdiff_t>(stride)) {
    hr = source->CopyPixels(nullptr, stride, stride * height, reinterpret_cast<BYTE*>(out.ScanLine(0)));
    if (FAILED(hr)) Fail("pixels", hr);
  } else {
    std::vector<uint8_t> buf(size_t(stride) * height);
    hr = source->CopyPixels(nullptr, stride, static_cast<UINT>(buf.size()), buf.data());
    if (FAILED(hr)) Fail("pixels", hr);
    for (UINT y = 0; y < height; ++y)
      std::memcpy(out.ScanLine(static_cast<int32_t>(y)), &buf[size_t(y) * stride], stride);
  }
  return out;
}

class TWicDecoder : public TImageDecoder {
 public:
  TBitmap32 Decode(std::span<const uint8_t> bytes) override {
    DWORD thread = GetCurrentThreadId();
    if (!cached_ && owner_ == 0) {
      // Take a reference on this thread's apartment for the cache's lifetime.
      HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
      if (SUCCEEDED(hr)) {
        ScopeExit uninit([] { CoUninitialize(); });
        if (SUCCEEDED(objects_.Create())) {
          cached_ = true;
          owner_ = thread;
          uninit.Dismiss();  // the cache keeps the apartment until ReleaseCache
        } else {
          objects_.Reset();
        }
      }
    }
    if (cached_ && owner_ == thread) return DecodeWith(objects_, bytes);
    return DecodeUncached(bytes);
  }

  void ReleaseCache() {
    if (!cached_ || owner_ != GetCurrentThreadId()) return;
    objects_.Reset();
    cached_ = false;
    owner_ = 0;
    CoUninitialize();
  }

 private:
  static TBitmap32 DecodeUncached(std::span<const uint8_t> bytes) {
    HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // S_OK and S_FALSE need a matching CoUninitialize; RPC_E_CHANGED_MODE
    // means COM is up in the multithreaded apartment, which WIC can use.
    ScopeExit uninit([] { CoUninitialize(); });
    if (FAILED(init)) uninit.Dismiss();
    WicObjects objects;
    HRESULT hr = objects.Create();
    if (FAILED(hr)) Fail("no imaging factory", hr);
    return DecodeWith(objects, bytes);
  }

  WicObjects objects_;
  bool cached_ = false;
  DWORD owner_ = 0;
};

// Never destroyed: releasing COM objects during static destruction, after
// the apartment may be gone, is not safe. Process exit frees them.
TWicDecoder& Instance() {
  static TWicDecoder* decoder = new TWicDecoder;
  return *decoder;
}

}  // namespace

TImageDecoder& WicImageDecoder() { return Instance(); }

void InstallWicDecoder() { SetDefaultImageDecoder(&Instance()); }

void ReleaseWicDecoderCache() { Instance().ReleaseCache(); }

}  // namespace glyphora
