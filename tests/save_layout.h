// Where the bookmark file's fields lie, written out here once from the engine's layout: the tests read
// and damage files by these, never by the save code's own walk, so a field written at the wrong place
// is caught.
#pragma once
#include <cstddef>

const size_t kPlaythroughAt = 3;
const size_t kFlagsAt = 8;
const size_t kPositionAt = 1032;
const size_t kTextXAt = 1036;
const size_t kTextYAt = 1040;
const size_t kTextColourAt = 1044;
const size_t kDimLevelAt = 1048;
const size_t kFontFaceAt = 1052;
const size_t kFontHeightAt = 1308;
const size_t kFontWidthAt = 1312;
const size_t kFontWeightAt = 1316;
const size_t kTextLayerAt = 1320;
const size_t kCharacterLayerAt = 308520;
const size_t kCentreHalfAt = 615720;
const size_t kBackgroundNameAt = 769320;
const size_t kMusicNameAt = 769576;
const size_t kWaveNamesAt = 769832;
const size_t kWaveFlagsAt = 772392;
const size_t kWavePansAt = 772402;
const size_t kPaletteAt = 772412;
const size_t kFadeLockedAt = 773436;
const size_t kTransparentSetAt = 773692;
const size_t kWaitKindAt = 773693;
const size_t kChoiceCountAt = 773697;
const size_t kChoiceTextsAt = 773698;
const size_t kChoicePlacesAt = 776258;
const size_t kChoiceRectsAt = 778818;
const size_t kNameField = 256;
