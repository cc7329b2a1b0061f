// A small terminal for tests: takes the bytes a program writes and keeps the
// screen they draw, cell by cell, as a terminal would show it. It knows what the
// host program's screens use: cursor moves, clearing, colours (true colour and
// the 256-colour palette), the alternate screen and the cursor's visibility.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testterm {

struct Cell {
    std::string glyph = " ";  // one UTF-8 character
    uint32_t foreground = 0;  // 0xRRGGBB, or 0x1000000 + palette index
    uint32_t background = 0;
    bool operator==(const Cell& o) const {
        return glyph == o.glyph && foreground == o.foreground && background == o.background;
    }
};

class VirtualTerminal {
  public:
    VirtualTerminal(int columns, int rows);

    void Feed(const std::string& bytes);

    // The characters of a row, trailing blanks removed.
    std::string RowText(int row) const;
    const Cell& At(int column, int row) const { return cells_[size_t(row) * columns_ + column]; }
    // The cells of rows [first, last).
    std::vector<Cell> Rows(int first, int last) const;
    // The first row whose text contains `text`, or -1.
    int FindRow(const std::string& text) const;

    bool AlternateScreen() const { return alternate_; }
    bool CursorVisible() const { return cursorVisible_; }
    // Times the cursor was sent home (one per frame of the live views).
    int Homes() const { return homes_; }

  private:
    void Put(const std::string& glyph);
    void Control(char final, const std::string& parameters);
    void Colours(const std::vector<int>& values);
    void ClearCells(size_t from, size_t to);
    void NewLine();

    int columns_;
    int rows_;
    std::vector<Cell> cells_;
    int column_ = 0;
    int row_ = 0;
    uint32_t foreground_ = 0;
    uint32_t background_ = 0;
    bool alternate_ = false;
    bool cursorVisible_ = true;
    int homes_ = 0;
    std::string pending_;  // an escape sequence or UTF-8 character cut by a read
};

}  // namespace testterm
