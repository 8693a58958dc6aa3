// Fuzzes the reading of parameter files, and the saving of whatever rows that reading yields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "design_state.h"
#include "params_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    tavro::FieldTable fields;
    tavro::DesignState state;
    tavro::loadParamsBytes(bytes, state, fields);

    // Rows that can be stored must read back exactly as they were.
    tavro::FieldTable rows;
    const std::vector<tavro::ParamRecord> records = tavro::readParamRecords(bytes);
    for (size_t r = 0; r < records.size(); ++r) rows.setText(int(r), records[r].text);
    QByteArray saved;
    if (!tavro::paramsFileBytes(rows, saved)) return 0;
    const std::vector<tavro::ParamRecord> again = tavro::readParamRecords(saved);
    if (again.size() != size_t(tavro::kRowCount)) std::abort();
    for (int r = 0; r < tavro::kRowCount; ++r)
        if (again[size_t(r)].text != rows.text(r) || again[size_t(r)].caption != rows.caption(r))
            std::abort();
    return 0;
}
