#include "configuration/CNotify.h"

#include "configuration/Section.h"

namespace Configuration {

void CNotify::SetUse(int use) { use_ = use; }
int CNotify::GetUse() const { return use_; }
int CNotify::GetShowProcessId() const { return showProcessId_; }
void CNotify::SetShowProcessId(int show) { showProcessId_ = show; }
int CNotify::GetShowSubSystem() const { return showSubSystem_; }
void CNotify::SetShowSubSystem(int show) { showSubSystem_ = show; }
int CNotify::GetShowFileName() const { return showFileName_; }
void CNotify::SetShowFileName(int show) { showFileName_ = show; }
int CNotify::GetShowFullPath() const { return showFullPath_; }
void CNotify::SetShowFullPath(int show) { showFullPath_ = show; }
int CNotify::GetShowWindowHandle() const { return showWindowHandle_; }
void CNotify::SetShowWindowHandle(int show) { showWindowHandle_ = show; }
int CNotify::GetShowClassName() const { return showClassName_; }
void CNotify::SetShowClassName(int show) { showClassName_ = show; }
int CNotify::GetShowWindowText() const { return showWindowText_; }
void CNotify::SetShowWindowText(int show) { showWindowText_ = show; }

int CNotify::Load(Flib::IO::File::CIniFile& ini, const std::wstring& prefix)
{
    // Files of older versions hold only the unprefixed key; the prefixed one wins.
    const int olderUse = ini.ReadBool(kSection, L"PopupBalloonTips.Use", use_);
    use_ = ini.ReadBool(kSection, prefix + L".Use", olderUse);
    showProcessId_ = ini.ReadBool(kSection, prefix + L".ProcessId", showProcessId_);
    showSubSystem_ = ini.ReadBool(kSection, prefix + L".SubSystem", showSubSystem_);
    showFileName_ = ini.ReadBool(kSection, prefix + L".ExcuteFileName", showFileName_);
    showFullPath_ = ini.ReadBool(kSection, prefix + L".ExcuteFullPath", showFullPath_);
    showWindowHandle_ = ini.ReadBool(kSection, prefix + L".WindowHandle", showWindowHandle_);
    showClassName_ = ini.ReadBool(kSection, prefix + L".ClassName", showClassName_);
    showWindowText_ = ini.ReadBool(kSection, prefix + L".WindowText", showWindowText_);
    return 1;
}

int CNotify::Save(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const
{
    ini.WriteBool(kSection, prefix + L".Use", use_);
    ini.WriteBool(kSection, prefix + L".ProcessId", showProcessId_);
    ini.WriteBool(kSection, prefix + L".SubSystem", showSubSystem_);
    ini.WriteBool(kSection, prefix + L".ExcuteFileName", showFileName_);
    ini.WriteBool(kSection, prefix + L".ExcuteFullPath", showFullPath_);
    ini.WriteBool(kSection, prefix + L".WindowHandle", showWindowHandle_);
    ini.WriteBool(kSection, prefix + L".ClassName", showClassName_);
    ini.WriteBool(kSection, prefix + L".WindowText", showWindowText_);
    return 1;
}

} // namespace Configuration
