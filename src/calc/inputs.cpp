// Input validation and the binding of field rows to design values.
#include "inputs.h"

#include <array>
#include <limits>
#include <utility>

#include "faults.h"
#include "number_text.h"

namespace tavro {

namespace {

const std::array<const char*, kRowCount> kCaptions = {
    "СОПЛО",
    "Ввести исходные данные:",
    "  радиус критического сечения, Rкр, мм",
    "  угол полураствора на срезе, Qa° (10-15) *",
    "  показатель адиабаты в камере, k *",
    "  давление в камере сгорания, Pк, МПа",
    "  расчетная высота полета, H, м *",
    "Опционально задать:",
    "  радиус конфузора, Rкон, мм",
    "  угол входа, Qк ° (0-90) *",
    "Результаты расчета:",
    "  давление на срезе, Pa, МПа",
    "  расширение Fa/Fкр",
    "  радиус среза относительный, Ra/Rкр",
    "  длина диффузора относительная, Lдиф/Rкр",
    "  угол раскрытия, Qm°",
    "  радиус среза, Ra, мм",
    "  радиус скругления входа, R, мм",
    "  радиус скругления выхода, r, мм",
    "  длина диффузора, Lдиф, мм",
    "  длина сопла, L",
    "Примечание:",
};

}  // namespace

const std::array<const char*, kRowCount>& startupCaptions() {
    return kCaptions;
}

FieldTable::FieldTable() {
    for (int r = 0; r < kRowCount; ++r)
        captions_[static_cast<size_t>(r)] = kCaptions[static_cast<size_t>(r)];
    texts_[kRowInputHeading] = "input";
    texts_[kRowOptionHeading] = "option";
    texts_[kRowResultHeading] = "result";
}

std::string CheckInputs(float Rkr, float Qa, float k, float Pk, float H, float /*Rc*/, float /*Qc*/,
                        int& row) {
    // Each test is an acceptance, so NaN fails it.
    if (!(Rkr > 0)) {
        row = kRowRkr;
        return "Радиус критического сечения должен быть больше нуля.";
    }
    if (!(Qa >= 9 && Qa <= 15)) {
        row = kRowQa;
        return "Задайте угол полураствора на срезе в пределах 9-15 градусов.";
    }
    if (!(k > 1 && k < 1.5f)) {
        row = kRowK;
        return "Задайте правильно показатель адиабаты продуктов сгорания. Для газообразных "
               "продуктов ~1,24 , для двухфазного потока ~1,1.";
    }
    if (!(Pk >= 0.5f && Pk <= 30)) {
        row = kRowPk;
        return "Задайте давление в камере сгорания в пределах 0.5-30.0 МПа.";
    }
    if (!(H >= 0 && H <= 150000)) {
        row = kRowH;
        return "Задайте расчетную высоту в пределах 0-150000 м.";
    }
    return "";
}

std::string CheckEntries(const DesignState& s, const Fields& fields, int& row) {
    float values[] = {s.Rkr, s.Qa, s.k, s.Pk, s.H};
    for (int r = kRowRkr; r <= kRowH; ++r) {
        float unused = 0;
        // NaN fails every acceptance test of its row, and only of its row.
        if (!storeNumber(unused, fields.text(r)))
            values[r - kRowRkr] = std::numeric_limits<float>::quiet_NaN();
    }
    const std::string message =
        CheckInputs(values[0], values[1], values[2], values[3], values[4], s.Rc, s.Qc, row);
    if (!message.empty()) return message;
    // The options are clamped, never rejected; a text that holds no single value is neither.
    const std::pair<int, const char*> options[] = {
        {kRowRc, "Радиус конфузора задан неверно."},
        {kRowQc, "Угол входа задан неверно."},
    };
    for (const auto& [r, text] : options) {
        float unused = 0;
        if (storeNumber(unused, fields.text(r))) continue;
        row = r;
        return text;
    }
    return "";
}

bool storeNumber(float& target, const std::string& text) {
    try {
        target = single(readNumber(text));
        return true;
    } catch (const CalcFault&) {
        // No number, as a text without one: the value an earlier text left must not be
        // computed in its place.
        target = 0;
        return false;
    }
}

void storeRow(DesignState& s, const Fields& f, int row) {
    switch (row) {
        case kRowTitle:
            s.Title = f.text(row);
            break;
        case kRowRkr:
            storeNumber(s.Rkr, f.text(row));
            break;
        case kRowQa:
            storeNumber(s.Qa, f.text(row));
            break;
        case kRowK:
            storeNumber(s.k, f.text(row));
            break;
        case kRowPk:
            storeNumber(s.Pk, f.text(row));
            break;
        case kRowH:
            storeNumber(s.H, f.text(row));
            break;
        case kRowRc:
            storeNumber(s.Rc, f.text(kRowRc));
            storeNumber(s.Qc, f.text(kRowQc));
            break;
        case kRowQc:
            storeNumber(s.Qc, f.text(row));
            break;
        case kRowNote:
            s.Note = f.text(row);
            break;
        default:
            break;
    }
}

void loadDesignValues(DesignState& s, const Fields& f) {
    s.Title = f.text(kRowTitle);
    storeNumber(s.Rkr, f.text(kRowRkr));
    storeNumber(s.Qa, f.text(kRowQa));
    storeNumber(s.k, f.text(kRowK));
    storeNumber(s.Pk, f.text(kRowPk));
    storeNumber(s.H, f.text(kRowH));
    storeNumber(s.Rc, f.text(kRowRc));
    storeNumber(s.Qc, f.text(kRowQc));
    s.Note = f.text(kRowNote);
}

void clearDesign(DesignState& s) {
    s.Title.clear();
    s.Note.clear();
    s.Rkr = s.Qa = s.k = s.Pk = s.H = s.Rc = s.Qc = 0;
    s.Pa = s.FFa = s.RRa = s.LLa = s.Qm = s.Ra = s.Rint = s.Rout = s.La = s.Ln = 0;
}

}  // namespace tavro
