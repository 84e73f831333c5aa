// The compiled message catalogues built into the program (po/*.po through msgfmt, embedded by
// cmake/embed_files.cmake): the bytes of "ru.mo". Read through core/messages.h.
#pragma once

#include <string_view>

namespace mapbasis {

// The bytes of the catalogue of that file name; empty for a name that is none.
std::string_view MessageCatalogue(std::string_view name);

}  // namespace mapbasis
