// QuilvexBackup.exe: saves every registry place Quilvex can touch as a
// registry file that puts them back when imported. Double-clicked, it asks
// where to save in a Save As dialog and says how to use the file; with a
// path on its command line it writes there silently and tells by its exit
// status. Paths and texts go through the W functions, so the program works
// in any folder and shows its Japanese texts on any system with the fonts.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "backup/reg_file.h"
#include "backup/registry_snapshot.h"
#include "registry/win32_registry_api.h"

namespace {

const char16_t kCaption[] = u"Quilvex バックアップ";

enum ExitStatus { kSaved = 0, kFailed = 1, kBadCommandLine = 2 };

const wchar_t* W(const std::u16string& text)
{
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// Why the backup was not saved: what failed, about what, and the system's
// error, if one.
struct Failure {
    std::u16string what;
    std::u16string subject;
    DWORD error = ERROR_SUCCESS;
};

std::u16string SystemErrorText(DWORD error)
{
    wchar_t text[512];
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                        text, sizeof text / sizeof text[0], nullptr);
    if (length) return std::u16string(reinterpret_cast<const char16_t*>(text), length);
    std::u16string number;
    do {
        number.insert(number.begin(), static_cast<char16_t>(u'0' + error % 10));
        error /= 10;
    } while (error);
    return u"エラー " + number;
}

// Writes the whole file or nothing: into a temporary file beside the
// target, flushed, then moved over it. Returns the system's error, or
// ERROR_SUCCESS.
DWORD WriteWholeFile(const std::u16string& target, const std::vector<BYTE>& bytes)
{
    const DWORD fullLength = GetFullPathNameW(W(target), 0, nullptr, nullptr);
    if (!fullLength) return GetLastError();
    std::u16string full(fullLength, u'\0');
    wchar_t* namePart = nullptr;
    if (!GetFullPathNameW(W(target), fullLength, reinterpret_cast<wchar_t*>(&full[0]), &namePart))
        return GetLastError();
    full.resize(std::char_traits<char16_t>::length(full.c_str()));
    const std::u16string folder = full.substr(0, full.find_last_of(u'\\') + 1);
    wchar_t temporary[MAX_PATH];
    if (!GetTempFileNameW(W(folder), L"qvx", 0, temporary)) return GetLastError();
    DWORD error = ERROR_SUCCESS;
    const HANDLE file =
        CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = GetLastError();
    } else {
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            !FlushFileBuffers(file))
            error = GetLastError();
        else if (written != bytes.size())
            error = ERROR_WRITE_FAULT;
        if (!CloseHandle(file) && !error) error = GetLastError();
    }
    if (!error && !MoveFileExW(temporary, W(full), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error) DeleteFileW(temporary);
    return error;
}

bool SaveBackup(const std::u16string& path, Failure& failure)
{
    RegistrySnapshot snapshot;
    SnapshotFailure readFailure;
    if (!TakeSnapshot(PlatformRegistry(), snapshot, readFailure)) {
        failure = {u"レジストリを読めませんでした。", readFailure.key, static_cast<DWORD>(readFailure.status)};
        return false;
    }
    std::u16string text, unwritable;
    if (!RenderRegFile(snapshot, text, unwritable)) {
        failure = {u"登録ファイルに書けない名前があるため、保存しませんでした。", unwritable, ERROR_SUCCESS};
        return false;
    }
    const DWORD error = WriteWholeFile(path, RegFileBytes(text));
    if (error) {
        failure = {u"ファイルを保存できませんでした。", path, error};
        return false;
    }
    return true;
}

std::u16string TwoDigits(WORD number)
{
    return {static_cast<char16_t>(u'0' + number / 10 % 10), static_cast<char16_t>(u'0' + number % 10)};
}

// QuilvexBackup-YYYYMMDD-HHMMSS.reg, in local time.
std::u16string DefaultFileName()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return u"QuilvexBackup-" + TwoDigits(now.wYear / 100) + TwoDigits(now.wYear) + TwoDigits(now.wMonth) +
           TwoDigits(now.wDay) + u"-" + TwoDigits(now.wHour) + TwoDigits(now.wMinute) + TwoDigits(now.wSecond) +
           u".reg";
}

std::u16string ProgramFolder()
{
    std::u16string path(32768, u'\0');
    const DWORD length =
        GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(&path[0]), static_cast<DWORD>(path.size()));
    path.resize(length);
    return path.substr(0, path.find_last_of(u'\\'));
}

// The Save As dialog on the default name in the program's folder; false
// when the user cancels.
bool AskForPath(std::u16string& path)
{
    const std::u16string folder = ProgramFolder();
    std::u16string file = DefaultFileName();
    file.resize(32768, u'\0');
    static const char16_t kFilter[] = u"登録ファイル (*.reg)\0*.reg\0すべてのファイル (*.*)\0*.*\0";
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFilter = reinterpret_cast<const wchar_t*>(kFilter);
    dialog.lpstrFile = reinterpret_cast<wchar_t*>(&file[0]);
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = W(folder);
    dialog.lpstrTitle = L"バックアップの保存先";
    dialog.lpstrDefExt = L"reg";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!GetSaveFileNameW(&dialog)) return false;
    path = file.c_str();
    return true;
}

void Say(const std::u16string& text, UINT icon)
{
    MessageBoxW(nullptr, W(text), W(kCaption), MB_OK | icon);
}

int RunWithDialog()
{
    std::u16string path;
    if (!AskForPath(path)) return kSaved;  // cancelled: nothing to do
    Failure failure;
    if (!SaveBackup(path, failure)) {
        std::u16string text = failure.what + u"\n\n" + failure.subject;
        if (failure.error) text += u"\n\n" + SystemErrorText(failure.error);
        Say(text, MB_ICONERROR);
        return kFailed;
    }
    Say(u"バックアップを保存しました。\n\n" + path +
            u"\n\nQuilvex の変更を元に戻すには、このファイルをダブルクリックし"
            u"(レジストリ エディターが確認を求めます。Windows Vista 以降では管理者の権限も求めます)、"
            u"Windows を再起動してください。",
        MB_ICONINFORMATION);
    return kSaved;
}

int Run()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) return kFailed;
    int status = kBadCommandLine;
    if (count == 1) {
        status = RunWithDialog();
    } else if (count == 2) {
        Failure failure;
        status = SaveBackup(reinterpret_cast<const char16_t*>(arguments[1]), failure) ? kSaved : kFailed;
    }
    LocalFree(arguments);
    return status;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return Run();
}
