// Resource numbers of the dialogs and the ids of their controls. The ids are the dialogs' own and
// are kept as they are, so the logic and the screens can be laid side by side.
#pragma once

namespace mapbasis::ids {

// Closing buttons of every dialog.
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;

// The information dialog shown first in an interactive run; its only button is kOk.
inline constexpr int kInfoDialog = 106;

// The main parameter dialog.
inline constexpr int kParameterDialog = 101;
inline constexpr int kCoordinateSystem = 1015;  // list: the coordinate systems
inline constexpr int kSeriesScale = 1011;       // list: the two series
inline constexpr int kMapScale = 1012;          // list: three map scales of the series
inline constexpr int kBelt = 1005;              // list: U .. K
inline constexpr int kZone = 1007;              // list: 33 .. 60, 01, 02
inline constexpr int kSheetNumber = 1008;       // list: I .. XXXVI
inline constexpr int kSheetNumberLabel = 1010;  // static text beside kSheetNumber
inline constexpr int kSheetKind = 1006;         // list: the combined-sheet kinds of the belt
inline constexpr int kRefineButton = 1014;
inline constexpr int kFindFolderButton = 1013;
inline constexpr int kResultFolder = 1027;  // edit field: the result folder, picked or typed
inline constexpr int kSheetView = 1061;     // read-only text: the sheet's name and corners

// The refinement dialog: base fields (read-only) and result fields.
inline constexpr int kRefinementDialog = 113;
inline constexpr int kBaseKind = 1035;
inline constexpr int kBaseWidth = 1036;
inline constexpr int kBaseHeight = 1037;
inline constexpr int kBaseWest = 1038;
inline constexpr int kBaseSouth = 1039;
inline constexpr int kBaseEast = 1040;
inline constexpr int kBaseNorth = 1041;
inline constexpr int kBaseMeridianStep = 1042;
inline constexpr int kBaseParallelStep = 1046;
inline constexpr int kBasexMinute = 1047;
inline constexpr int kBaseyMinute = 1048;
inline constexpr int kResultWidth = 1053;   // read-only
inline constexpr int kResultHeight = 1054;  // read-only
inline constexpr int kResultWest = 1055;
inline constexpr int kResultSouth = 1056;
inline constexpr int kResultEast = 1057;
inline constexpr int kResultNorth = 1058;
inline constexpr int kResultMeridianStep = 1034;
inline constexpr int kResultParallelStep = 1043;
inline constexpr int kResultxMinute = 1044;
inline constexpr int kResultyMinute = 1045;
inline constexpr int kTestButton = 1049;
inline constexpr int kTestStatus = 1050;  // read-only: whether the base trapezoid was changed

}  // namespace mapbasis::ids
