#pragma once
// Repairs text that was read with the wrong code page: DOS (cp866) or KOI8-R bytes shown as if
// they were Windows-1251. Each character goes back to its Windows-1251 byte, and that byte is read
// in the right code page. Characters Windows-1251 cannot hold were not produced by such a misread
// and are kept as they are.
#include "engine/core/text.h"

namespace tallyman {

// cp866 -> Windows-1251 ("DOS->WIN"). Pseudo-graphics keep their real characters.
Text DosToWin(TextView text);

// KOI8-R -> Windows-1251 ("KOI->WIN"). Characters Windows-1251 lacks (box drawing, blocks,
// ⌠ ⌡ ■ √ ≈ ≤ ≥ ² ÷) become "?", and the bullet operator becomes the Windows-1251 bullet.
Text KoiToWin(TextView text);

}  // namespace tallyman
