// PNG and JPEG decoding through the Windows Imaging Component, into 32-bit
// BGRA pixels with straight alpha. Works whether or not the calling thread
// has initialised COM.
//
// Making WIC's objects is slow (tens of milliseconds under Wine), so the
// decoder keeps its imaging factory and the PNG and JPEG decoder class
// objects for the thread that first used it. To keep them valid it holds one
// reference on that thread's single-threaded COM apartment (initialising COM
// there if nobody had) until ReleaseWicDecoderCache is called on that thread.
// Calls from other threads, or from a thread in the multithreaded apartment,
// make and free everything per call.
#pragma once
#include "imaging/image_decoder.h"

namespace glyphora {

// The process-wide WIC decoder.
TImageDecoder& WicImageDecoder();
// Makes the WIC decoder the default decoder of skin loading (call once at start).
void InstallWicDecoder();
// Frees the cached WIC objects and the COM reference they need; call on the
// thread that decoded (e.g. when the skin manager goes away). Decoding later
// builds the cache again.
void ReleaseWicDecoderCache();

}  // namespace glyphora
