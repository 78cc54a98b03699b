#pragma once
// Text put into HTML: shows as written and injects no markup.
#include <string>
#include <string_view>

namespace ruvo {

// & < > " ' as character references.
std::string EscapeHtml(std::string_view text);

}  // namespace ruvo
