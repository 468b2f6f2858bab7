// File and field names as the platform the catalogues come from treats them: without regard to
// ASCII letter case. Linux file systems are case-sensitive, so an existing file is found by
// looking through its folder.
#pragma once

#include <string>
#include <string_view>

namespace tunelo {

// ASCII comparison without regard to letter case (file, field, tag, section and key names).
bool EqualsNoCase(std::string_view a, std::string_view b);
// Whether `name` ends in `end` without regard to ASCII letter case (".wav", ".dbt").
bool EndsWithNoCase(std::string_view name, std::string_view end);

// The existing file whose name equals `path`'s last component without regard to letter case, in
// the folder of `path` (the first in byte order when several do); `path` itself when it exists or
// when no such file exists, so that a new file gets the spelling asked for.
std::string ResolvePathNoCase(const std::string& path);
bool FileExistsNoCase(const std::string& path);

}  // namespace tunelo
