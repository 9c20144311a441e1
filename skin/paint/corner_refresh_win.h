// The corners of a control's border in its cache bitmap brought up to date
// with what its parent shows now, just before the cache goes to the screen.
#pragma once

namespace glyphora {

class TsCommonData;

// Asks the owner's parent (or, for a top windowed control, its parent
// window) for the background without making it paint, and puts that into
// the key-coloured pixels of the four corners of the border image in
// data.FCacheBmp. Nothing without a valid border image, a cache bitmap, an
// owner or a parent, or when the parent has neither an image nor a colour.
void RefreshBorderCorners(TsCommonData& data, int state);

}  // namespace glyphora
