#pragma once
// The fixed vocabulary: property names, value words, scales, stock-size texts and
// picture file names. Texts are exactly as the program shows them.
#include <string>
#include <string_view>
#include <vector>

namespace trevane {

constexpr int kPropertyCount = 49;  // property indices 1..49

std::string PropertyTitle(int index);  // "" outside 1..49
// The same title as a view of the fixed table (valid for the whole run).
std::string_view PropertyTitleView(int index);
std::string ValueText(int code);         // value code 0..17 to its word; "" for 0 and unknown codes
int ValueCode(const std::string& text);  // word to code; "" and "don't care" give 0; -1 for no value word
int PropertyScaleOf(int index);          // 1..8
// The criterion words a scale offers, in offering order ("yes", "no" for scale 1).
std::vector<std::string> ScaleWords(int scale);

std::string MetalSizeText(int code);
int MetalSizeCode(const std::string& text);
std::string PlasticSizeText(int code);
int PlasticSizeCode(const std::string& text);
std::string BoardSizeText(int thickness);
int BoardSizeCode(const std::string& text);
std::string PictureFileName(int number);

}  // namespace trevane
