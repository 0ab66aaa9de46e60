// The save-file dialog in the terminal: the folder, its folders and matching files, a file name.
#include "SaveFileView.h"

#include <algorithm>
#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include "DialogPainter.h"
#include "host/Codepage.h"
#include "host/DriveMap.h"
#include "windows.h"

namespace tui {

namespace {

constexpr int kListRows = 6;

bool IsAbsoluteWindowsPath(const std::string& path)
{
    return (path.size() >= 2 && path[1] == ':') || (path.size() >= 2 && path[0] == '\\' && path[1] == '\\');
}

// Byte index after the last backslash, scanning CP932 from the start.
size_t AfterLastBackslash(const std::string& path)
{
    size_t after = 0;
    for (size_t i = 0; i < path.size(); i += host::Cp932CharLength(path, i))
        if (path[i] == '\\') after = i + 1;
    return after;
}

bool HostStat(const std::string& windowsPath, struct stat& status)
{
    std::optional<std::string> hostPath = host::ToHostPath(windowsPath);
    return hostPath && ::stat(hostPath->c_str(), &status) == 0;
}

std::string CurrentFolder()
{
    char buffer[4096];
    if (::getcwd(buffer, sizeof buffer) == nullptr) return "C:\\";
    std::optional<std::string> windows = host::ToWindowsPath(buffer);
    return windows ? *windows : "C:\\";
}

std::string EndWithBackslash(std::string folder)
{
    if (folder.empty() || AfterLastBackslash(folder) != folder.size()) folder.push_back('\\');
    return folder;
}

std::vector<std::string> SplitUtf8Glyphs(const std::string& utf8)
{
    std::vector<std::string> glyphs;
    for (const Glyph& glyph : SplitUtf8(utf8)) glyphs.push_back(utf8.substr(glyph.byteOffset, glyph.byteLength));
    return glyphs;
}

}  // namespace

SaveFileView::SaveFileView(const host::UiSaveFile& dialog) : dialog_(dialog)
{
    // "Xml Files (*.xml)|*.xml||": the first pair names the type and its patterns.
    std::string filter = dialog.filter.value_or("");
    size_t bar = filter.find('|');
    filterLabel_ = filter.substr(0, bar);
    std::string patterns = bar == std::string::npos ? "" : filter.substr(bar + 1, filter.find('|', bar + 1) - bar - 1);
    size_t start = 0;
    while (start < patterns.size()) {
        size_t semicolon = patterns.find(';', start);
        std::string pattern = patterns.substr(start, semicolon - start);
        if (!pattern.empty()) patterns_.push_back(pattern);
        if (semicolon == std::string::npos) break;
        start = semicolon + 1;
    }
    if (patterns_.empty()) patterns_.push_back("*");

    std::string name = dialog.fileName.value_or("");
    std::string folder = dialog.initialDir.value_or("");
    size_t cut = AfterLastBackslash(name);
    if (cut > 0) {
        if (folder.empty() || IsAbsoluteWindowsPath(name)) folder = name.substr(0, cut);
        name = name.substr(cut);
    }
    if (folder.empty()) folder = CurrentFolder();
    name_ = SplitUtf8Glyphs(host::Cp932ToUtf8(name));
    caret_ = static_cast<int>(name_.size());
    Enter(folder);
}

std::string SaveFileView::NameUtf8() const
{
    std::string name;
    for (const std::string& glyph : name_) name += glyph;
    return name;
}

void SaveFileView::Enter(const std::string& windowsFolder)
{
    folder_ = EndWithBackslash(windowsFolder);
    selected_ = 0;
    top_ = 0;
    Load();
}

void SaveFileView::Load()
{
    entries_.clear();
    std::optional<std::string> hostPath = host::ToHostPath(folder_);
    DIR* directory = hostPath ? ::opendir(hostPath->c_str()) : nullptr;
    listable_ = directory != nullptr;
    if (!directory) return;
    std::vector<Entry> folders, files;
    while (dirent* item = ::readdir(directory)) {
        std::string name = item->d_name;
        if (name == "." || name == "..") continue;
        struct stat status {};
        if (::stat((*hostPath + "/" + name).c_str(), &status) != 0) continue;
        if (S_ISDIR(status.st_mode)) {
            folders.push_back({name, true});
        } else if (S_ISREG(status.st_mode)) {
            for (const std::string& pattern : patterns_) {
                if (::fnmatch(host::Cp932ToUtf8(pattern).c_str(), name.c_str(), FNM_CASEFOLD) == 0) {
                    files.push_back({name, false});
                    break;
                }
            }
        }
    }
    ::closedir(directory);
    auto byName = [](const Entry& a, const Entry& b) { return a.name < b.name; };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    // A folder below a root can be left upwards.
    size_t rest = folder_.size() >= 3 && folder_[1] == ':' ? 3 : 0;
    if (folder_.size() > rest && rest > 0) entries_.push_back({"..", true});
    entries_.insert(entries_.end(), folders.begin(), folders.end());
    entries_.insert(entries_.end(), files.begin(), files.end());
}

void SaveFileView::SelectEntry(int index)
{
    if (entries_.empty()) return;
    selected_ = std::clamp(index, 0, static_cast<int>(entries_.size()) - 1);
    if (selected_ < top_) top_ = selected_;
    if (selected_ >= top_ + kListRows) top_ = selected_ - kListRows + 1;
    if (!entries_[selected_].isFolder) {
        // Choosing a file in the list puts its name into the name field.
        name_ = SplitUtf8Glyphs(entries_[selected_].name);
        caret_ = static_cast<int>(name_.size());
        nameSelected_ = true;
    }
}

SaveFileView::Outcome SaveFileView::Activate()
{
    if (focus_ == 3) return Outcome::Cancelled;
    if (focus_ == 0 && !entries_.empty()) {
        const Entry& entry = entries_[selected_];
        if (entry.isFolder) {
            if (entry.name == "..") {
                std::string parent = folder_.substr(0, folder_.size() - 1);
                Enter(parent.substr(0, AfterLastBackslash(parent)));
            } else {
                Enter(folder_ + host::Utf8ToCp932(entry.name));
            }
            return Outcome::Open;
        }
    }
    return Confirm();
}

SaveFileView::Outcome SaveFileView::Confirm()
{
    std::string name = host::Utf8ToCp932(NameUtf8());
    if (name.empty()) return Outcome::Open;
    std::string path = IsAbsoluteWindowsPath(name) ? name : folder_ + name;
    if (name.find_first_of("*?") != std::string::npos) {
        // A pattern typed as the name filters the list, as the system dialog does.
        patterns_ = {name.substr(AfterLastBackslash(name))};
        Enter(path.substr(0, AfterLastBackslash(path)));
        return Outcome::Open;
    }
    struct stat status {};
    if (AfterLastBackslash(path) == path.size() || (HostStat(path, status) && S_ISDIR(status.st_mode))) {
        Enter(path);
        name_.clear();
        caret_ = 0;
        return Outcome::Open;
    }
    std::string fileName = path.substr(AfterLastBackslash(path));
    if (fileName.find('.') == std::string::npos && dialog_.defaultExt && !dialog_.defaultExt->empty())
        path += "." + *dialog_.defaultExt;
    std::string folder = path.substr(0, AfterLastBackslash(path));
    if ((dialog_.flags & OFN_PATHMUSTEXIST) && !(HostStat(folder, status) && S_ISDIR(status.st_mode))) {
        notice_ = Notice{path + "\n" + "パスが存在しません。\nパス名が正しいかどうか確認してください。", false};
        return Outcome::Open;
    }
    if ((dialog_.flags & OFN_OVERWRITEPROMPT) && HostStat(path, status)) {
        notice_ = Notice{path + " は既に存在します。\n上書きしますか?", true};
        pendingResult_ = path;
        return Outcome::Open;
    }
    result_ = path;
    return Outcome::Confirmed;
}

SaveFileView::Outcome SaveFileView::AnswerNotice(int answer)
{
    bool overwrite = notice_ && notice_->question && answer == IDYES;
    notice_.reset();
    focus_ = 1;
    if (!overwrite) return Outcome::Open;
    result_ = pendingResult_;
    return Outcome::Confirmed;
}

void SaveFileView::EditName(const KeyInput& key)
{
    int length = static_cast<int>(name_.size());
    if (key.kind == KeyInput::kText) {
        if (nameSelected_) {
            name_.clear();
            caret_ = 0;
        }
        nameSelected_ = false;
        name_.insert(name_.begin() + caret_, key.utf8);
        ++caret_;
        return;
    }
    bool wasSelected = nameSelected_;
    nameSelected_ = false;
    switch (key.vk) {
    case VK_LEFT: caret_ = std::max(caret_ - 1, 0); break;
    case VK_RIGHT: caret_ = std::min(caret_ + 1, length); break;
    case VK_HOME: caret_ = 0; break;
    case VK_END: caret_ = length; break;
    case VK_BACK:
        if (wasSelected) {
            name_.clear();
            caret_ = 0;
        } else if (caret_ > 0) {
            name_.erase(name_.begin() + --caret_);
        }
        break;
    case VK_DELETE:
        if (wasSelected) {
            name_.clear();
            caret_ = 0;
        } else if (caret_ < length) {
            name_.erase(name_.begin() + caret_);
        }
        break;
    case VK_SPACE:
        name_.insert(name_.begin() + caret_, " ");
        ++caret_;
        break;
    default: nameSelected_ = wasSelected; break;
    }
}

SaveFileView::Outcome SaveFileView::HandleKey(const KeyInput& key)
{
    if (key.kind == KeyInput::kClosed) return Outcome::Cancelled;
    if (key.kind == KeyInput::kKey) {
        switch (key.vk) {
        case VK_ESCAPE: return Outcome::Cancelled;
        case VK_TAB: focus_ = (focus_ + (key.shift ? 3 : 1)) % 4; return Outcome::Open;
        case VK_RETURN: return Activate();
        default: break;
        }
    }
    switch (focus_) {
    case 0:
        if (key.kind == KeyInput::kKey && key.vk == VK_UP) SelectEntry(selected_ - 1);
        if (key.kind == KeyInput::kKey && key.vk == VK_DOWN) SelectEntry(selected_ + 1);
        if (key.kind == KeyInput::kKey && key.vk == VK_HOME) SelectEntry(0);
        if (key.kind == KeyInput::kKey && key.vk == VK_END) SelectEntry(static_cast<int>(entries_.size()) - 1);
        if (key.kind == KeyInput::kKey && key.vk == VK_SPACE) return Activate();
        break;
    case 1: EditName(key); break;
    default:
        if (key.kind == KeyInput::kKey && key.vk == VK_SPACE) return Activate();
        if (key.kind == KeyInput::kKey && (key.vk == VK_LEFT || key.vk == VK_RIGHT)) focus_ = focus_ == 2 ? 3 : 2;
        break;
    }
    return Outcome::Open;
}

bool SaveFileView::Paint(Canvas& canvas) const
{
    int clientWidth = std::min(canvas.Width() - 2, 70);
    DialogPlacement placement = PlaceFrame(clientWidth, kNeededHeight - 2, canvas.Width(), canvas.Height());
    if (!placement.fits || canvas.Width() < kNeededWidth) return false;
    PaintFrame(canvas, placement, dialog_.title.value_or("名前を付けて保存"), true);
    const CellRect& client = placement.client;
    CellRect inner{client.col + 1, client.row, client.width - 2, client.height};
    int col = canvas.PutGlyphs(inner.col, client.row, SplitGlyphs("保存する場所: "), kNormal, inner);
    canvas.PutGlyphs(col, client.row, SplitGlyphs(folder_), kBold, inner);

    CellRect list{inner.col, client.row + 1, inner.width, kListRows + 2};
    canvas.Box(list, focus_ == 0 ? kBold : kNormal);
    CellRect rows{list.col + 1, list.row + 1, list.width - 2, kListRows};
    if (!listable_) canvas.PutGlyphs(rows.col, rows.row, SplitGlyphs("(このフォルダは開けません)"), kDim, rows);
    for (int i = 0; i < kListRows && top_ + i < static_cast<int>(entries_.size()); ++i) {
        const Entry& entry = entries_[top_ + i];
        std::string shown = entry.isFolder ? "[" + entry.name + "]" : entry.name;
        uint8_t attr = (top_ + i == selected_ && focus_ == 0) ? kReverse : kNormal;
        CellRect line{rows.col, rows.row + i, rows.width, 1};
        canvas.Fill(line, " ", attr);
        canvas.PutUtf8(rows.col, rows.row + i, shown, attr, line);
    }
    if (top_ + kListRows < static_cast<int>(entries_.size())) canvas.PutUtf8(list.col + list.width - 2, list.row + list.height - 1, "v", kNormal, list);

    int nameRow = list.row + list.height;
    col = canvas.PutGlyphs(inner.col, nameRow, SplitGlyphs("ファイル名(N): "), kNormal, inner);
    CellRect field{col + 1, nameRow, inner.col + inner.width - col - 2, 1};
    canvas.PutUtf8(col, nameRow, "[", kNormal, inner);
    canvas.PutUtf8(field.col + field.width, nameRow, "]", kNormal, inner);
    canvas.Fill(field, " ", kUnderline);
    int caretCol = 0;
    std::vector<Glyph> glyphs;
    for (size_t i = 0; i < name_.size(); ++i) {
        std::vector<Glyph> one = SplitUtf8(name_[i]);
        if (one.empty()) continue;
        if (static_cast<int>(i) < caret_) caretCol += one[0].width;
        glyphs.push_back(one[0]);
    }
    int scroll = caretCol >= field.width ? caretCol - field.width + 1 : 0;
    uint8_t nameAttr = kUnderline | ((focus_ == 1 && nameSelected_ && !name_.empty()) ? kReverse : kNormal);
    canvas.PutGlyphs(field.col - scroll, nameRow, glyphs, nameAttr, field);
    col = canvas.PutGlyphs(inner.col, nameRow + 1, SplitGlyphs("ファイルの種類: "), kNormal, inner);
    canvas.PutGlyphs(col, nameRow + 1, SplitGlyphs(filterLabel_), kNormal, inner);

    int buttonRow = client.row + client.height - 1;
    std::vector<Glyph> save = SplitGlyphs("保存(S)"), cancel = SplitGlyphs("キャンセル");
    int buttonsWidth = DisplayWidth(save) + DisplayWidth(cancel) + 10;
    col = inner.col + inner.width - buttonsWidth;
    int saveCol = col;
    col = canvas.PutUtf8(col, buttonRow, "[ ", focus_ == 2 ? kReverse : kNormal, inner);
    col = canvas.PutGlyphs(col, buttonRow, save, focus_ == 2 ? kReverse : kNormal, inner);
    col = canvas.PutUtf8(col, buttonRow, " ]", focus_ == 2 ? kReverse : kNormal, inner) + 2;
    int cancelCol = col;
    col = canvas.PutUtf8(col, buttonRow, "[ ", focus_ == 3 ? kReverse : kNormal, inner);
    col = canvas.PutGlyphs(col, buttonRow, cancel, focus_ == 3 ? kReverse : kNormal, inner);
    canvas.PutUtf8(col, buttonRow, " ]", focus_ == 3 ? kReverse : kNormal, inner);
    switch (focus_) {
    case 0: canvas.cursorCol = rows.col; canvas.cursorRow = rows.row + selected_ - top_; break;
    case 1: canvas.cursorCol = std::min(field.col + caretCol - scroll, field.col + field.width - 1); canvas.cursorRow = nameRow; break;
    case 2: canvas.cursorCol = saveCol + 2; canvas.cursorRow = buttonRow; break;
    default: canvas.cursorCol = cancelCol + 2; canvas.cursorRow = buttonRow; break;
    }
    return true;
}

}  // namespace tui
