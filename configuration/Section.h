#pragma once

namespace Configuration {

// Every key of the settings file lives in this one section.
constexpr const wchar_t* kSection = L"General";

} // namespace Configuration
