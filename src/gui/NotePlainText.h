#pragma once
// The visible text of a label's RTF document as plain UTF-8, so the label
// can show its note read-only: groups of fonts, colours, styles and other
// destinations are skipped, \par and \line end lines, \tab is a tab, \'hh
// bytes are code page 932, \uN is the character N (its fallback skipped).
// Damaged input gives whatever text could be read; it never fails.

#include <cstdint>
#include <string>
#include <vector>

namespace zaro::gui {

std::string NotePlainText(const std::vector<std::uint8_t>& rtf);

} // namespace zaro::gui
