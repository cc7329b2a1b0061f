// Decoding escape sequences and UTF-8 into cells.
#include "tests/apps/virtual_terminal.h"

#include <algorithm>
#include <cstdlib>

namespace testterm {
namespace {

constexpr uint32_t kPalette = 0x1000000;

std::vector<int> Numbers(const std::string& parameters) {
    std::vector<int> values;
    size_t start = 0;
    while (start <= parameters.size()) {
        const size_t end = std::min(parameters.find(';', start), parameters.size());
        values.push_back(std::atoi(parameters.substr(start, end - start).c_str()));
        start = end + 1;
    }
    return values;
}

size_t Utf8Length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xe0) == 0xc0) return 2;
    if ((lead & 0xf0) == 0xe0) return 3;
    return 4;
}

}  // namespace

VirtualTerminal::VirtualTerminal(int columns, int rows)
    : columns_(columns), rows_(rows), cells_(size_t(columns) * rows) {}

void VirtualTerminal::Feed(const std::string& bytes) {
    std::string data = pending_ + bytes;
    pending_.clear();
    size_t i = 0;
    while (i < data.size()) {
        const unsigned char c = static_cast<unsigned char>(data[i]);
        if (c == 0x1b) {
            if (i + 1 >= data.size()) break;
            if (data[i + 1] != '[') {
                i += 2;
                continue;
            }
            size_t end = i + 2;
            while (end < data.size() && !(data[end] >= 0x40 && data[end] <= 0x7e)) ++end;
            if (end >= data.size()) break;
            Control(data[end], data.substr(i + 2, end - i - 2));
            i = end + 1;
        } else if (c == '\r') {
            column_ = 0;
            ++i;
        } else if (c == '\n') {
            NewLine();
            ++i;
        } else if (c < 0x20) {
            ++i;
        } else {
            const size_t length = Utf8Length(c);
            if (i + length > data.size()) break;
            Put(data.substr(i, length));
            i += length;
        }
    }
    pending_ = data.substr(i);
}

void VirtualTerminal::NewLine() {
    if (row_ + 1 < rows_) {
        ++row_;
        return;
    }
    cells_.erase(cells_.begin(), cells_.begin() + columns_);
    cells_.resize(size_t(columns_) * rows_);
}

void VirtualTerminal::Put(const std::string& glyph) {
    if (column_ >= columns_) {
        column_ = 0;
        NewLine();
    }
    Cell& cell = cells_[size_t(row_) * columns_ + column_];
    cell.glyph = glyph;
    cell.foreground = foreground_;
    cell.background = background_;
    ++column_;
}

void VirtualTerminal::ClearCells(size_t from, size_t to) {
    for (size_t at = from; at < to && at < cells_.size(); ++at) cells_[at] = Cell{};
}

void VirtualTerminal::Control(char final, const std::string& parameters) {
    const size_t here = size_t(row_) * columns_ + std::min(column_, columns_);
    if (parameters.rfind('?', 0) == 0) {
        const int mode = std::atoi(parameters.c_str() + 1);
        if (mode == 1049) alternate_ = final == 'h';
        if (mode == 25) cursorVisible_ = final == 'h';
        return;
    }
    const std::vector<int> values = Numbers(parameters);
    switch (final) {
        case 'H':
            row_ = std::max(1, values.size() > 0 ? values[0] : 1) - 1;
            column_ = std::max(1, values.size() > 1 ? values[1] : 1) - 1;
            row_ = std::min(row_, rows_ - 1);
            column_ = std::min(column_, columns_ - 1);
            if (row_ == 0 && column_ == 0) ++homes_;
            break;
        case 'K':
            ClearCells(here, size_t(row_ + 1) * columns_);
            break;
        case 'J':
            if (values[0] == 2)
                ClearCells(0, cells_.size());
            else
                ClearCells(here, cells_.size());
            break;
        case 'm':
            Colours(values);
            break;
        default:
            break;
    }
}

void VirtualTerminal::Colours(const std::vector<int>& v) {
    for (size_t i = 0; i < v.size(); ++i) {
        const bool layer = v[i] == 38 || v[i] == 48;
        uint32_t* target = v[i] == 38 ? &foreground_ : &background_;
        if (layer && i + 4 < v.size() && v[i + 1] == 2) {
            *target = uint32_t(v[i + 2] << 16 | v[i + 3] << 8 | v[i + 4]);
            i += 4;
        } else if (layer && i + 2 < v.size() && v[i + 1] == 5) {
            *target = kPalette + uint32_t(v[i + 2]);
            i += 2;
        } else if (v[i] == 0) {
            foreground_ = background_ = 0;
        } else if (v[i] == 39) {
            foreground_ = 0;
        } else if (v[i] == 49) {
            background_ = 0;
        }
    }
}

std::string VirtualTerminal::RowText(int row) const {
    std::string text;
    for (int column = 0; column < columns_; ++column) text += At(column, row).glyph;
    const size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? "" : text.substr(0, end + 1);
}

std::vector<Cell> VirtualTerminal::Rows(int first, int last) const {
    return std::vector<Cell>(cells_.begin() + size_t(first) * columns_,
                             cells_.begin() + size_t(last) * columns_);
}

int VirtualTerminal::FindRow(const std::string& text) const {
    for (int row = 0; row < rows_; ++row)
        if (RowText(row).find(text) != std::string::npos) return row;
    return -1;
}

}  // namespace testterm
