// Driving another program's windows: finding, reading, pressing, answering.
#include "Desktop.h"

#include "support/DropFiles.h"
#include "support/TestFiles.h"

#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>

#include <cstring>

namespace korva::acceptance {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

std::string ClassOf(HWND window) {
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

bool SameClass(HWND window, const char* className) {
    return !className || ::lstrcmpiA(ClassOf(window).c_str(), className) == 0;
}

DWORD ProcessOf(HWND window) {
    DWORD id = 0;
    ::GetWindowThreadProcessId(window, &id);
    return id;
}

// A caption without its access-key marks: "&Open" reads "Open".
std::string WithoutAccessKey(const std::string& caption) {
    std::string plain;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        plain += caption[i];
    }
    return plain;
}

struct TopSearch {
    DWORD processId;
    const char* className;
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchTop(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<TopSearch*>(param);
    if (ProcessOf(window) != search.processId || !::IsWindowVisible(window) ||
        !SameClass(window, search.className))
        return TRUE;
    if (search.caption && TextOf(window) != search.caption)
        return TRUE;
    search.found = window;
    return FALSE;
}

struct ChildSearch {
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<ChildSearch*>(param);
    if (SameClass(window, search.className))
        search.found.push_back(window);
    return TRUE;
}

// Memory in another process for the messages that take pointers, and for a library's path.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, size_t size) : size_(size) {
        process_ = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                     PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION,
                                 FALSE, ProcessOf(window));
        if (process_)
            address_ =
                static_cast<char*>(::VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteBuffer() {
        if (address_)
            ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_)
            ::CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    char* Address() const { return address_; }
    // Runs function(Address()) on a thread of the other process and waits for it to end.
    bool RunThere(LPTHREAD_START_ROUTINE function) const {
        HANDLE thread =
            address_ ? ::CreateRemoteThread(process_, nullptr, 0, function, address_, 0, nullptr) : nullptr;
        const bool ended = thread && ::WaitForSingleObject(thread, kWaitMs) == WAIT_OBJECT_0;
        if (thread)
            ::CloseHandle(thread);
        return ended;
    }
    bool Write(size_t offset, const void* data, size_t size) const {
        return address_ && offset + size <= size_ &&
               ::WriteProcessMemory(process_, address_ + offset, data, size, nullptr);
    }
    bool Read(size_t offset, void* data, size_t size) const {
        return address_ && offset + size <= size_ &&
               ::ReadProcessMemory(process_, address_ + offset, data, size, nullptr);
    }

private:
    HANDLE process_ = nullptr;
    char* address_ = nullptr;
    size_t size_;
};

// The dialog's file-name box: an edit of its own in some versions, the edit inside a combo box in others.
HWND FileNameBox(HWND dialog) {
    if (HWND edit = ::GetDlgItem(dialog, edt1))
        return edit;
    if (HWND combo = ::GetDlgItem(dialog, cmb13))
        if (HWND edit = FindChild(combo, "Edit", nullptr))
            return edit;
    return FindChild(dialog, "Edit", nullptr);
}

// A window's text through the 8-bit or the wide messages.
template <typename Text, auto SendMessageTimeout> Text TextThrough(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeout(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length))
        return {};
    Text text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                            SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied))
        return {};
    text.resize(copied);
    return text;
}

} // namespace

bool WaitUntil(const std::function<bool()>& condition, int milliseconds) {
    // The unsigned difference stays right when the tick count wraps.
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > static_cast<DWORD>(milliseconds))
            return false;
        ::Sleep(20);
    }
    return true;
}

HWND FindTopWindow(DWORD processId, const char* className, const char* caption) {
    TopSearch search{processId, className, caption, nullptr};
    ::EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopWindow(DWORD processId, const char* className, const char* caption, int milliseconds) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(processId, className, caption)) != nullptr; },
              milliseconds);
    return found;
}

bool WaitUntilGone(HWND window, int milliseconds) {
    return WaitUntil([&] { return !::IsWindow(window) || !::IsWindowVisible(window); }, milliseconds);
}

std::vector<HWND> Children(HWND parent, const char* className) {
    ChildSearch search{className, {}};
    ::EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindChild(HWND parent, const char* className, const char* caption) {
    for (HWND child : Children(parent, className))
        if (!caption || TextOf(child) == caption)
            return child;
    return nullptr;
}

std::string TextOf(HWND window) { return TextThrough<std::string, ::SendMessageTimeoutA>(window); }

std::wstring WideTextOf(HWND window) { return TextThrough<std::wstring, ::SendMessageTimeoutW>(window); }

bool Paste(HWND edit, const std::wstring& text) {
    // The clipboard takes data only from a window that opened it.
    HWND owner = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(::GlobalLock(block), text.c_str(), bytes);
    ::GlobalUnlock(block);
    bool put = false;
    if (owner && ::OpenClipboard(owner)) {
        ::EmptyClipboard();
        put = ::SetClipboardData(CF_UNICODETEXT, block) != nullptr; // the clipboard owns it now
        ::CloseClipboard();
    }
    if (!put)
        ::GlobalFree(block);
    const bool pasted =
        put && ::SendMessageTimeoutW(edit, WM_PASTE, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, nullptr) != 0;
    if (owner)
        ::DestroyWindow(owner);
    return pasted;
}

bool DropFiles(HWND window, const std::vector<std::wstring>& files) {
    // The program releases the drop with DragFinish, that is GlobalFree: the memory must be a block of
    // GlobalAlloc's in its own process, which only code running there can make. So a library of the
    // tests', loaded there, makes it from the drop described in shared memory.
    const std::vector<char> data = test::DropFilesData(files);
    const std::wstring name = test::DropRequestName(ProcessOf(window));
    HANDLE mapping =
        ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                             static_cast<DWORD>(sizeof(test::DropRequest) + data.size()), name.c_str());
    auto* request = static_cast<test::DropRequest*>(
        mapping ? ::MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0) : nullptr);
    bool posted = false;
    if (request) {
        *request = {reinterpret_cast<std::uintptr_t>(window), static_cast<std::uint32_t>(data.size()), 0};
        std::memcpy(request + 1, data.data(), data.size());
        const std::wstring library = test::Wide(test::BuildDir() + "tests\\korva_drop.dll");
        RemoteBuffer path(window, (library.size() + 1) * sizeof(wchar_t));
        // The system's libraries lie at the same place in every process of a width: so does LoadLibraryW.
        const auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
        posted = path.Write(0, library.c_str(), (library.size() + 1) * sizeof(wchar_t)) &&
                 path.RunThere(loadLibrary) && request->posted == 1;
        ::UnmapViewOfFile(request);
    }
    if (mapping)
        ::CloseHandle(mapping);
    return posted;
}

void Press(HWND button) {
    ::PostMessageA(button, BM_CLICK, 0, 0);
}

bool PressButton(HWND parent, const char* caption) {
    HWND button = FindChild(parent, "Button", caption);
    if (!button) // the system's own dialogs may write the caption with or without an access key
        for (HWND child : Children(parent, "Button"))
            if (WithoutAccessKey(TextOf(child)) == WithoutAccessKey(caption))
                button = child;
    if (!button)
        return false;
    Press(button);
    return true;
}

bool IsChecked(HWND button) {
    DWORD_PTR state = 0;
    ::SendMessageTimeoutA(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &state);
    return state == BST_CHECKED;
}

bool IsEnabled(HWND window) {
    return ::IsWindowEnabled(window) != FALSE;
}

bool IsVisible(HWND window) {
    return ::IsWindowVisible(window) != FALSE;
}

MessageBoxSeen WaitForMessageBox(DWORD processId, const char* caption, int milliseconds) {
    MessageBoxSeen box;
    box.window = WaitForTopWindow(processId, "#32770", caption, milliseconds);
    if (!box.window)
        return box;
    box.caption = caption;
    const int kMessageText = 0xFFFF; // the static control that holds a message box's text
    if (HWND text = ::GetDlgItem(box.window, kMessageText)) {
        box.text = TextOf(text);
        box.wideText = WideTextOf(text);
    }
    return box;
}

bool Answer(const MessageBoxSeen& box, const char* button) {
    return box && PressButton(box.window, button) && WaitUntilGone(box.window);
}

bool ChooseFile(DWORD processId, const char* dialogCaption, const std::wstring& path) {
    HWND dialog = WaitForTopWindow(processId, "#32770", dialogCaption);
    if (!dialog)
        return false;
    HWND name = FileNameBox(dialog);
    if (!name)
        return false;
    ::SendMessageTimeoutW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG,
                          kSendTimeoutMs, nullptr);
    if (!PressButton(dialog, "&Open"))
        Press(::GetDlgItem(dialog, IDOK));
    return WaitUntilGone(dialog);
}

bool CancelFileDialog(DWORD processId, const char* dialogCaption) {
    HWND dialog = WaitForTopWindow(processId, "#32770", dialogCaption);
    if (!dialog)
        return false;
    Press(::GetDlgItem(dialog, IDCANCEL));
    return WaitUntilGone(dialog);
}

int RemoteListView::Count() const {
    DWORD_PTR count = 0;
    ::SendMessageTimeoutA(list_, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &count);
    return static_cast<int>(count);
}

std::string RemoteListView::ItemText(int item) const {
    constexpr size_t kTextSize = 1024;
    RemoteBuffer buffer(list_, sizeof(LVITEMA) + kTextSize);
    LVITEMA request{};
    request.iSubItem = 0;
    request.pszText = buffer.Address() + sizeof(LVITEMA);
    request.cchTextMax = kTextSize;
    if (!buffer.Write(0, &request, sizeof request))
        return {};
    DWORD_PTR length = 0;
    ::SendMessageTimeoutA(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(item),
                          reinterpret_cast<LPARAM>(buffer.Address()), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                          &length);
    std::string text(kTextSize, '\0');
    if (!buffer.Read(sizeof(LVITEMA), text.data(), kTextSize))
        return {};
    text.resize(std::strlen(text.c_str()));
    return text;
}

std::vector<std::string> RemoteListView::Items() const {
    std::vector<std::string> items;
    for (int i = 0; i < Count(); ++i)
        items.push_back(ItemText(i));
    return items;
}

RECT RemoteListView::ItemRect(int item) const {
    RemoteBuffer buffer(list_, sizeof(RECT));
    RECT rect{};
    rect.left = LVIR_LABEL;
    buffer.Write(0, &rect, sizeof rect);
    DWORD_PTR ok = 0;
    ::SendMessageTimeoutA(list_, LVM_GETITEMRECT, static_cast<WPARAM>(item),
                          reinterpret_cast<LPARAM>(buffer.Address()), SMTO_ABORTIFHUNG, kSendTimeoutMs, &ok);
    buffer.Read(0, &rect, sizeof rect);
    return rect;
}

void RemoteListView::DoubleClickItem(int item) const {
    const RECT rect = ItemRect(item);
    const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    DWORD_PTR state = 0;
    ::SendMessageTimeoutA(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_SELECTED, SMTO_ABORTIFHUNG,
                          kSendTimeoutMs, &state);
    // A click on a row that is selected already would start editing its caption: click only to select.
    if (!(state & LVIS_SELECTED)) {
        ::PostMessageA(list_, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageA(list_, WM_LBUTTONUP, 0, at);
    }
    ::PostMessageA(list_, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::PostMessageA(list_, WM_LBUTTONUP, 0, at);
}

} // namespace korva::acceptance
