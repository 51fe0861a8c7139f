#pragma once
// The two languages compiled into the program; both define every text.

#include "app/Language.h"

namespace plumex {

const TLanguage& builtinEnglish();
const TLanguage& builtinJapanese();

} // namespace plumex
