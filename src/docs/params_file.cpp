// The parameter file of a nozzle design: the 22 field rows as quoted caption and text.
#include "params_file.h"

#include "file_text.h"
#include "inputs.h"
#include "safe_file.h"

namespace tavro {

namespace {

// A design file is about a kilobyte; beyond this much there is no design to find.
constexpr qint64 kReadLimit = 16 * 1024 * 1024;

bool fail(std::string* why, const std::string& reason) {
    if (why) *why = reason;
    return false;
}

qsizetype skipBlanks(const QByteArray& line, qsizetype pos) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    return pos;
}

// How a line is read, so that every file written by SaveParams reads back as it was written
// and any other file still reads without surprises:
// - the caption: between a leading double quote (blanks before it are skipped) and the next
//   double quote; without a leading quote, everything up to the first comma;
// - the text: after the comma that follows the caption, between an opening double quote and
//   the LAST double quote of the line, so that a title or note holding a double quote (which
//   is written as it is) comes back whole; without an opening quote, the rest of the line as it
//   stands; without a closing quote, the rest of the line after the opening one;
// - a line without a comma after its caption has an empty text.
ParamRecord readRecord(const QByteArray& line, bool utf8) {
    QByteArray caption;
    qsizetype comma = -1;
    const qsizetype start = skipBlanks(line, 0);
    if (start < line.size() && line[start] == '"') {
        const qsizetype close = line.indexOf('"', start + 1);
        if (close < 0) return {decodeFileText(line.mid(start + 1), utf8), {}};
        caption = line.mid(start + 1, close - start - 1);
        comma = line.indexOf(',', close + 1);
    } else {
        comma = line.indexOf(',');
        caption = comma < 0 ? line : line.left(comma);
    }
    QByteArray text;
    if (comma >= 0) {
        const qsizetype open = skipBlanks(line, comma + 1);
        if (open < line.size() && line[open] == '"') {
            const qsizetype last = line.lastIndexOf('"');
            text = last > open ? line.mid(open + 1, last - open - 1) : line.mid(open + 1);
        } else {
            text = line.mid(comma + 1);
        }
    }
    return {decodeFileText(caption, utf8), decodeFileText(text, utf8)};
}

}  // namespace

bool paramsFileBytes(const Fields& fields, QByteArray& out, std::string* why) {
    out.clear();
    for (int r = 0; r < kRowCount; ++r) {
        const std::string caption = fields.caption(r);
        const std::string text = fields.text(r);
        // A line end inside a row would split it in two, and a quote inside a caption would end
        // the caption early: such rows could not be read back.
        if (caption.find_first_of("\"\r\n") != std::string::npos)
            return fail(why, "подпись строки " + std::to_string(r) +
                                 " содержит кавычку или перевод строки");
        if (text.find_first_of("\r\n") != std::string::npos)
            return fail(why, "строка " + std::to_string(r) + " содержит перевод строки");
        QByteArray captionBytes, textBytes;
        if (!encode1251(caption, captionBytes))
            return fail(why, "подпись строки " + std::to_string(r) +
                                 " не записывается в кодировке Windows-1251");
        if (!encode1251(text, textBytes))
            return fail(why, "строка " + std::to_string(r) +
                                 " содержит знаки, которых нет в кодировке Windows-1251");
        out += '"' + captionBytes + "\",\"" + textBytes + "\"\r\n";
    }
    return true;
}

bool SaveParams(const std::string& path, DesignState& state, const Fields& fields,
                std::string* why) {
    if (path.empty()) return fail(why, "не задано имя файла");
    for (int r = 0; r < kRowCount; ++r)
        state.SavedFields[size_t(r)] = {fitCaption(fields.caption(r)), fields.text(r)};
    QByteArray bytes;
    if (!paramsFileBytes(fields, bytes, why)) return false;
    return replaceFile(toQString(path), bytes, why);
}

// Lines end with CR LF as written, or with a lone LF or CR as other editors leave them. Empty
// lines are skipped: a written record never is empty. A UTF-8 byte-order mark makes the file
// read as UTF-8, otherwise it is Windows-1251 (a written file always opens with a quote).
std::vector<ParamRecord> readParamRecords(QByteArray bytes) {
    const bool utf8 = takeUtf8Mark(bytes);
    std::vector<ParamRecord> records;
    qsizetype begin = 0;
    const qsizetype size = bytes.size();
    while (begin < size && records.size() < size_t(kRowCount)) {
        qsizetype end = begin;
        while (end < size && bytes[end] != '\r' && bytes[end] != '\n') ++end;
        if (end > begin) records.push_back(readRecord(bytes.mid(begin, end - begin), utf8));
        begin = end + 1;
        if (end + 1 < size && bytes[end] == '\r' && bytes[end + 1] == '\n') ++begin;
    }
    return records;
}

bool loadParamsBytes(const QByteArray& bytes, DesignState& state, Fields& fields) {
    // A zero byte never stands in a text file: this is a picture, a program or an archive,
    // whatever its lines happen to hold.
    if (bytes.contains('\0')) return false;
    const std::vector<ParamRecord> records = readParamRecords(bytes);
    for (size_t r = 0; r < records.size(); ++r)
        state.SavedFields[r] = {fitCaption(records[r].caption), records[r].text};
    if (records.size() < size_t(kRowCount)) return false;

    // Rows are matched by position, never by caption. The results stay in SavedFields only:
    // the caller recomputes them from the inputs.
    for (int r = 0; r < kRowCount; ++r)
        if (r <= kRowQc || r == kRowNote) fields.setText(r, state.SavedFields[size_t(r)].text);
    loadDesignValues(state, fields);
    return true;
}

bool LoadParams(const std::string& path, DesignState& state, Fields& fields) {
    QByteArray bytes;
    if (!readFileHead(toQString(path), kReadLimit, bytes)) return false;
    return loadParamsBytes(bytes, state, fields);
}

}  // namespace tavro
