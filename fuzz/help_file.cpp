// Help file texts: parse, check, and render every topic, the index and a search.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "help/help_file.h"

using namespace trevane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    HelpFile help;
    std::vector<HelpProblem> problems;
    help.Parse(text, "fuzz.hlp", &problems);
    (void)help.Validate();
    for (const HelpTopic& t : help.Topics()) (void)help.TopicHtml(t);
    (void)help.Index();
    (void)help.Search(text.substr(0, 16));
    (void)FindHelpLinks(text);
    return 0;
}
