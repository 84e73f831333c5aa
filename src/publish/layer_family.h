// The files on disk that belong to a layer of a given name: the shapefile set the program writes,
// and what other programs put beside it that describes the layer (spatial indexes, metadata, a
// style). Names are matched without regard to letter case, as Windows and the GIS do.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mapbasis {

// The extensions (lower case) of every file that describes the layer it is named after.
inline constexpr std::string_view kLayerFamilyExtensions[] = {
    ".shp", ".shx", ".dbf", ".prj", ".cpg", ".sbn", ".sbx",     ".qix", ".fbn",
    ".fbx", ".ain", ".aih", ".atx", ".ixs", ".mxs", ".shp.xml", ".qpj", ".qml"};

// ASCII letters in lower case; other bytes as they are.
std::string LowerAscii(std::string_view text);

// Whether the texts are equal but for the case of their ASCII letters.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

// The last part of the path as UTF-8 text.
std::string FileNameOf(const std::filesystem::path& path);

// The extension (lower case) of a file of the layer's family, given the file's name and the
// layer's name (both in any case), or nothing when the file is not of the family.
std::optional<std::string_view> FamilyExtensionOf(std::string_view fileName,
                                                  std::string_view layer);

// Whether a file name (in any case) is one the program itself writes for the layer.
bool IsWrittenName(std::string_view fileName, std::string_view layer);

}  // namespace mapbasis
