#pragma once
// The topics of the help file that the program opens by number: its help
// buttons, F1 on a control ("helpContext"), and the definitions of the rows of
// the properties list. Every topic listed here must be in QEL.hlp.
#include <array>

namespace trevane {

inline constexpr int kHelpContents = 1;
inline constexpr int kHelpBrowse = 1005;
inline constexpr int kHelpStock = 1008;
inline constexpr int kHelpCosting = 1009;
inline constexpr int kHelpCutList = 1011;
inline constexpr int kHelpEvaluationMemo = 1012;
inline constexpr int kHelpPreviewScroll = 1015;
inline constexpr int kHelpSearchType = 1018;  // the search type and the found list
inline constexpr int kHelpCriteria = 1019;
inline constexpr int kHelpEvaluation = 3030;
inline constexpr int kHelpSearch = 3040;

inline constexpr std::array kHelpContexts = {kHelpContents, kHelpBrowse,         kHelpStock,         kHelpCosting,
                                             kHelpCutList,  kHelpEvaluationMemo, kHelpPreviewScroll, kHelpSearchType,
                                             kHelpCriteria, kHelpEvaluation,     kHelpSearch};

// A row of the properties list opens the definition kHelpDefinitionBase + its
// code: the properties (1 to 56) and the identity rows (100 to 106).
inline constexpr int kHelpDefinitionBase = 2000;

}  // namespace trevane
