// Filling the grid from a spreadsheet workbook.
//
// There is no spreadsheet automation server here: LibreOffice, run headless
// in a private profile and a private temporary folder, does the reading. It
// first saves the workbook as an Office Open XML workbook (whatever the
// workbook's own format), whose workbook part names the sheets in order and
// the active one; then it writes the wanted sheet as UTF-8 CSV. The used
// range of that sheet (from its first to its last non-empty row and column)
// is placed as the automation server's UsedRange would be.

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "grid/delimitedtext.h"
#include "grid/extgrid.h"
#include "grid/support/gridtext.h"
#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/tempfiles.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// A program on the search path, "" when there is none.
std::string FindProgram(const std::string& Name) {
    const char* path = std::getenv("PATH");
    if (!path) return "";
    std::string dirs = path;
    size_t start = 0;
    while (start <= dirs.size()) {
        const size_t end = std::min(dirs.find(':', start), dirs.size());
        const std::string dir = dirs.substr(start, end - start);
        if (!dir.empty()) {
            const std::string file = dir + "/" + Name;
            if (access(file.c_str(), X_OK) == 0) return file;
        }
        start = end + 1;
    }
    return "";
}

// Runs a program to its end (killed after two minutes), its output into
// OutFile ("" for none). True when it exits with 0.
bool Run(const std::vector<std::string>& Args, const std::string& OutFile) {
    std::vector<char*> argv;
    for (const std::string& a : Args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, OutFile.empty() ? "/dev/null" : OutFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    int status = 0;
    for (int waited = 0;; waited += 50) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) break;
        if (done < 0) return false;
        if (waited > 120000) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return false;
        }
        usleep(50000);
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string ReadFile(const std::string& DiskPath) {
    std::string data;
    if (FILE* f = std::fopen(DiskPath.c_str(), "rb")) {
        char buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            data.append(buf, n);
        std::fclose(f);
    }
    return data;
}

std::string XmlUnescape(const std::string& S) {
    std::string out;
    for (size_t i = 0; i < S.size(); ++i) {
        if (S[i] != '&') {
            out += S[i];
            continue;
        }
        const size_t semi = S.find(';', i);
        if (semi == std::string::npos) {
            out += S[i];
            continue;
        }
        const std::string ent = S.substr(i + 1, semi - i - 1);
        if (ent == "amp")
            out += '&';
        else if (ent == "lt")
            out += '<';
        else if (ent == "gt")
            out += '>';
        else if (ent == "quot")
            out += '"';
        else if (ent == "apos")
            out += '\'';
        else {
            out += S.substr(i, semi - i + 1);
        }
        i = semi;
    }
    return out;
}

// The sheet names in order and the active sheet's index, from the workbook part.
void ParseWorkbook(const std::string& Xml, std::vector<std::string>& Names, int& Active) {
    Active = 0;
    const size_t tab = Xml.find("activeTab=\"");
    if (tab != std::string::npos) Active = std::atoi(Xml.c_str() + tab + 11);
    for (size_t p = Xml.find("<sheet "); p != std::string::npos; p = Xml.find("<sheet ", p + 1)) {
        const size_t end = Xml.find('>', p);
        const size_t n = Xml.find(" name=\"", p);
        if (n == std::string::npos || n > end) continue;
        const size_t q = Xml.find('"', n + 7);
        Names.push_back(Utf8ToCp1252(XmlUnescape(Xml.substr(n + 7, q - n - 7))));
    }
    if (Active < 0 || Active >= static_cast<int>(Names.size())) Active = 0;
}

// A private folder that goes with everything in it.
struct TTempFolder {
    TTempFolder() {
        std::string tmpl = DiskName(GetTempDir()) + "vz_xls_XXXXXX";
        if (mkdtemp(tmpl.data())) Path = tmpl;
    }
    ~TTempFolder() {
        std::error_code ec;
        if (!Path.empty()) fs::remove_all(Path, ec);
    }
    std::string Path;
};

// The only file with the extension in a folder, "" when none.
std::string FileIn(const std::string& Dir, const std::string& Ext) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(Dir, ec))
        if (e.path().extension() == Ext) return e.path().string();
    return "";
}

} // namespace

void TExtStringGrid::LoadFromXLSWorker(const std::string& FileName, const std::string& SheetName) {
    const std::string office = FindProgram("soffice");
    if (office.empty()) throw EExtGridError(SNoExcelServer);
    if (!FileExists(FileName)) throw EExtGridError(SCannotOpenFile + FileName);
    TTempFolder tmp;
    if (tmp.Path.empty()) throw EExtGridError(SCannotOpenFile + FileName);
    const std::string profile = "-env:UserInstallation=file://" + tmp.Path + "/profile";
    auto convert = [&](const std::string& Filter, const std::string& From, const std::string& To) {
        Run({office, profile, "--headless", "--norestore", "--convert-to", Filter, "--outdir", To,
             From},
            "");
    };

    convert("xlsx", DiskName(ExpandFileName(FileName)), tmp.Path + "/book");
    const std::string book = FileIn(tmp.Path + "/book", ".xlsx");
    if (book.empty()) throw EExtGridError(SCannotOpenFile + FileName);
    const std::string unzip = FindProgram("unzip");
    std::vector<std::string> names;
    int sheet = 0;
    if (!unzip.empty() && Run({unzip, "-p", book, "xl/workbook.xml"}, tmp.Path + "/workbook.xml"))
        ParseWorkbook(ReadFile(tmp.Path + "/workbook.xml"), names, sheet);
    if (!SheetName.empty()) {
        const auto it = std::find(names.begin(), names.end(), SheetName);
        if (it == names.end()) throw EExtGridError("Excel worksheet " + SheetName + " not found");
        sheet = static_cast<int>(it - names.begin());
    }
    // UTF-8, ",", '"', cells as shown, the one sheet.
    convert("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false,false," +
                std::to_string(sheet + 1),
            book, tmp.Path + "/csv");
    const std::string csv = FileIn(tmp.Path + "/csv", ".csv");
    if (csv.empty()) throw EExtGridError(SCannotOpenFile + FileName);
    const std::string data = Utf8ToCp1252(ReadFile(csv));

    // The used range: from the first to the last non-empty row and column.
    std::vector<std::vector<std::string>> rows;
    TDelimitedReader reader(data.data(), data.size(), ',');
    std::vector<std::string> fields;
    std::vector<bool> quoted;
    int top = -1, bottom = -1, left = -1, right = -1;
    while (reader.Next(fields, quoted)) {
        const int r = static_cast<int>(rows.size());
        for (int c = 0; c < static_cast<int>(fields.size()); ++c)
            if (!fields[static_cast<size_t>(c)].empty()) {
                if (top < 0) top = r;
                bottom = r;
                left = left < 0 ? c : std::min(left, c);
                right = std::max(right, c);
            }
        rows.push_back(fields);
    }
    if (top < 0) return; // an empty sheet has no range to place
    const int cols = right - left + 1, nrows = bottom - top + 1;
    BeginGridUpdate();
    int c0 = 0, r0 = 0;
    if (IncludeFixedCells) {
        SetColCount(cols);
        SetRowCount(nrows);
    } else {
        const int fc = FixedCols(), fr = FixedRows();
        SetColCount(cols + fc);
        SetRowCount(nrows + fr);
        if (fc < ColCount()) SetFixedCols(fc);
        if (fr < RowCount()) SetFixedRows(fr);
        c0 = fc;
        r0 = fr;
    }
    for (int r = top; r <= bottom; ++r) {
        const auto& row = rows[static_cast<size_t>(r)];
        for (int c = left; c <= right && c < static_cast<int>(row.size()); ++c) {
            std::string v = row[static_cast<size_t>(c)];
            if (v.empty()) continue;
            if (v.find('\n') != std::string::npos) v = ExpandLineFeeds(v);
            SetRawCell(RealColIndex(c0 + c - left), r0 + r - top, v);
        }
    }
    EndGridUpdate();
    CellsChanged(Rect(0, 0, ColCount(), RowCount()));
}
