#pragma once
// Cyrillic <-> Latin transliteration of the notebook: Щука <-> Shhuka, Объект <-> Ob"ekt.
#include "engine/core/text.h"

namespace tallyman {

// Every Russian letter becomes its Latin spelling (ё jo, ж zh, х kh, щ shh, ъ ", ь ', э eh,
// ю ju, я ja); every other character is copied.
Text RusToTransLit(TextView text);

// Back to Cyrillic: the digraphs ch, eh, kh, zh, sh, shh, shch, ja, jj, jo, ju, ya, yu and "yi",
// a double quote or "^" between letters as ъ and an apostrophe after a letter as ь; the second
// letter of a pair matches in either case, the first decides the case of the result.
Text TransLitToRus(TextView text);

}  // namespace tallyman
