#include "shapeout/projection_text.h"

#include "core/sheet_parameters.h"

namespace mapbasis {

namespace {

// The blanks after the spheroid name and after "]]," belong to the texts as the series uses them.
constexpr std::string_view kPulkovo1942 =
    R"(GEOGCS["GCS_Pulkovo_1942",DATUM["D_Pulkovo_1942",SPHEROID["Krasovsky_1940", 6378245.0,298.3]], PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]])";

// СК-95 is written with the datum name Pulkovo 1965.
constexpr std::string_view kPulkovo1965 =
    R"(GEOGCS["GCS_Pulkovo_1965",DATUM["D_Pulkovo_1965",SPHEROID["Krasovsky_1940", 6378245.0,298.3]], PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]])";

constexpr std::string_view kRussia2011 =
    R"(GEOGCS["GCS_RUSSIA_2011",DATUM["D_RUSSIA_2011",SPHEROID["S_RUSSIA_2011", 6378136.5,298.2564151]], PRIMEM["Greenwich",0.0],UNIT["Degree",0.0174532925199433]])";

static_assert(kPulkovo1942.size() == 153 && kPulkovo1965.size() == 153 &&
              kRussia2011.size() == 156);

}  // namespace

std::string_view ProjectionText(std::int32_t CS) {
  switch (CS) {
    case kCsSk42: return kPulkovo1942;
    case kCsSk95: return kPulkovo1965;
    case kCsGsk2011: return kRussia2011;
    default: return {};
  }
}

}  // namespace mapbasis
