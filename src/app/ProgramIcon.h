#pragma once
// The program's icon as SVG text (data/icons/zarosim.svg, built in), for the
// file-type registration that installs it.

#include <string_view>

namespace zaro {

std::string_view ProgramIconSvg();

} // namespace zaro
