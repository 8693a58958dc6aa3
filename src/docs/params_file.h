// The parameter file of a nozzle design: the 22 field rows as quoted caption and text.
#pragma once

#include <QByteArray>
#include <string>
#include <vector>

#include "design_state.h"

namespace tavro {

// Writes the 22 rows of fields to path, replacing any file there, and records them in
// state.SavedFields (also when the write then fails). False with nothing written when path is
// empty (SavedFields then unchanged), when a caption or text cannot be stored so that it reads
// back as it is, or when the file cannot be written; the previous file then stays as it was.
// why, when given, receives the reason of a failure.
bool SaveParams(const std::string& path, DesignState& state, const Fields& fields,
                std::string* why = nullptr);

// Loads the file at path into state.SavedFields, the fields of rows 0 to 9 and 21, and the
// design values (not the results). A missing file, one of fewer than 22 records, or one that is
// no text at all (it holds a zero byte) changes no field and no design value; only the records
// read replace their rows of SavedFields. True when the design was loaded. Modified, DocumentPath
// and InRange are the caller's business.
bool LoadParams(const std::string& path, DesignState& state, Fields& fields);

// The bytes SaveParams writes for fields; false (with the reason) when a row cannot be stored.
bool paramsFileBytes(const Fields& fields, QByteArray& out, std::string* why = nullptr);

// One record of a parameter file, decoded to UTF-8.
struct ParamRecord {
    std::string caption;
    std::string text;
};

// The records of a parameter file's bytes, at most 22; what follows them is not looked at.
std::vector<ParamRecord> readParamRecords(QByteArray bytes);

// LoadParams on bytes already read.
bool loadParamsBytes(const QByteArray& bytes, DesignState& state, Fields& fields);

}  // namespace tavro
