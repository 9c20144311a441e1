// Windows side of the internal skin: the package is linked in as the resource
// INTERNAL_SKIN, and its PNG members decode through the platform's codecs
// (WIC) into the looks the frame and the glows rely on.
#include <windows.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <cstring>

#include "internal_skin/skin_fixture.h"

using namespace skintest;

namespace {

struct Decoded {
  UINT w = 0, h = 0;
  std::vector<uint32_t> px;  // 0xAARRGGBB, straight alpha
  uint32_t At(UINT x, UINT y) const { return px[size_t(y) * w + x]; }
  unsigned Alpha(UINT x, UINT y) const { return At(x, y) >> 24; }
};

template <class T>
struct Com {
  T* p = nullptr;
  ~Com() {
    if (p) p->Release();
  }
  T** operator&() { return &p; }
  T* operator->() { return p; }
};

bool Decode(const std::vector<uint8_t>& file, Decoded& out) {
  Com<IWICImagingFactory> factory;
  Com<IWICStream> stream;
  Com<IWICBitmapDecoder> decoder;
  Com<IWICBitmapFrameDecode> frame;
  Com<IWICFormatConverter> converter;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(&factory))))
    return false;
  if (FAILED(factory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(file.data()), DWORD(file.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) ||
      FAILED(decoder->GetFrame(0, &frame)) || FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->GetSize(&out.w, &out.h)))
    return false;
  out.px.resize(size_t(out.w) * out.h);
  return SUCCEEDED(converter->CopyPixels(nullptr, out.w * 4, UINT(out.px.size() * 4),
                                         reinterpret_cast<BYTE*>(out.px.data())));
}

class InternalSkinPng : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  static void TearDownTestSuite() { CoUninitialize(); }
  static Decoded Load(const std::string& name) {
    Decoded d;
    const Member* m = InternalSkin::Get().package.Find(name);
    EXPECT_NE(m, nullptr) << name;
    if (m) {
      EXPECT_TRUE(Decode(m->data, d)) << name;
    }
    return d;
  }
};

}  // namespace

TEST(InternalSkinResource, LinkedResourceIsThePackage) {
  HRSRC res = FindResourceW(nullptr, L"INTERNAL_SKIN", MAKEINTRESOURCEW(10));  // RT_RCDATA
  ASSERT_NE(res, nullptr);
  HGLOBAL handle = LoadResource(nullptr, res);
  ASSERT_NE(handle, nullptr);
  const auto* data = static_cast<const uint8_t*>(LockResource(handle));
  DWORD size = SizeofResource(nullptr, res);
  const std::vector<uint8_t>& built = InternalSkin::Get().bytes;
  ASSERT_EQ(size, built.size());
  EXPECT_EQ(std::memcmp(data, built.data(), size), 0);
}

TEST_F(InternalSkinPng, EveryPngDecodesAtItsStatedSize) {
  for (const Member& m : InternalSkin::Get().package.members) {
    if (m.name.size() < 4 || m.name.substr(m.name.size() - 4) != ".png") continue;
    Decoded d = Load(m.name);
    ImageSize s = ImageSizeOf(m.data);
    EXPECT_EQ(int(d.w), s.width) << m.name;
    EXPECT_EQ(int(d.h), s.height) << m.name;
  }
}

TEST_F(InternalSkinPng, ExtendedBorderHasBodyShadowAndHole) {
  Decoded d = Load("Exbor.png");
  ASSERT_GT(d.w, 0u);
  UINT fw = d.w / 2, mid = fw / 2;
  for (UINT f : {0u, 1u}) {
    SCOPED_TRACE(f);
    UINT x = f * fw + mid;
    EXPECT_EQ(d.Alpha(x, 30), 255u);          // caption area is solid
    EXPECT_EQ(d.Alpha(x, d.h / 2 + 20), 0u);  // client area is left to the form
    unsigned shadow = d.Alpha(x, 8);
    EXPECT_GT(shadow, 0u);
    EXPECT_LT(shadow, 128u);                  // soft, never a hard edge
    EXPECT_EQ(d.Alpha(x, 0), 0u);             // fades out completely
  }
  // The active frame (the second) casts the deeper shadow.
  EXPECT_GT(d.Alpha(fw + mid, 8), d.Alpha(mid, 8));
}

TEST_F(InternalSkinPng, CaptionGlowsHoldTheHotButtonInsideAQuietHalo) {
  for (const char* name : {"GlowClose.png", "GlowMax.png", "GlowMin.png", "GlowNorm.png", "GlowH.png"}) {
    SCOPED_TRACE(name);
    Decoded d = Load(name);
    ASSERT_GT(d.w, 40u);
    EXPECT_EQ(d.Alpha(20, d.h / 2), 255u);      // the button's left edge, opaque
    EXPECT_EQ(d.Alpha(0, 0), 0u);               // corners are clear
    unsigned halo = d.Alpha(d.w / 2, 14);       // six pixels above the button
    EXPECT_GT(halo, 0u);
    EXPECT_LT(halo, 100u);
  }
  // The close button glows red: its centre is the hot red fill.
  Decoded close = Load("GlowClose.png");
  uint32_t fill = close.At(22, close.h / 2 - 4);
  EXPECT_GT((fill >> 16) & 255, 2 * ((fill >> 8) & 255));
}

TEST_F(InternalSkinPng, ControlGlowsLeaveTheControlUncovered) {
  for (const char* name : {"GlowBtn.png", "GlowWhite.png"}) {
    SCOPED_TRACE(name);
    Decoded d = Load(name);
    ASSERT_EQ(d.w, 40u);
    EXPECT_EQ(d.Alpha(20, 20), 0u);   // over the control
    EXPECT_GT(d.Alpha(20, 8), 0u);    // two pixels outside its edge
    EXPECT_EQ(d.Alpha(0, 20), 0u);    // fades out by the image edge
  }
}
