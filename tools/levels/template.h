#pragma once
// Layout templates: document bytes with "{Name}" where a value goes and "{/}" where the plain
// line ends. Backslash escapes keep them printable: "\\", "\{" and "\xNN" for any byte
// below 0x20 or above 0x7E.
#include <functional>
#include <string>
#include <string_view>

namespace levelkit {

// Literal bytes in template form.
std::string EscapeTemplateText(std::string_view bytes);

// Expands a template: placeholders are looked up with `value` (nullptr = unknown name);
// "{/}" records the output size in *split. False with a reason on a bad template.
bool FillTemplate(std::string_view tmpl,
                  const std::function<const std::string*(std::string_view)>& value,
                  std::string& out, size_t* split, std::string& error);

} // namespace levelkit
