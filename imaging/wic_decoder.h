// PNG and JPEG decoding through the Windows Imaging Component, into 32-bit
// BGRA pixels with straight alpha. Works whether or not the calling thread
// has initialised COM (it initialises COM for the duration when needed).
#pragma once
#include "imaging/image_decoder.h"

namespace glyphora {

// The process-wide WIC decoder.
TImageDecoder& WicImageDecoder();
// Makes the WIC decoder the default decoder of skin loading (call once at start).
void InstallWicDecoder();

}  // namespace glyphora
