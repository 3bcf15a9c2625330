#pragma once

#include <QIcon>
#include <QPixmap>
#include <vector>

class QPainter;

// The pictures of the list, by index.
namespace Image {
enum : int {
    Stop = 0,
    Connect,
    Disconnect,
    Transmit,
    Tune,
    MacroEditor,
    InputLevel,
    OutputLevel,
    Configuration,
    Clear,
    Copy,
    Paste,
    Unused,
    About,
    Information,
    Warning,
    CharactersPending,
    Colour,
    Font,
    CwId,
    Help,
    Replay,
    Logbook,
    LogbookOpen,
    Exit,
};
} // namespace Image

// The main window's shared pictures, 21 x 21, referred to by index by the tool bar,
// the pop-up menus and the status bar.
class ImageList
{
public:
    static constexpr int kSize = 21;
    static constexpr int kCount = 25;

    ImageList();

    int count() const { return static_cast<int>(m_pixmaps.size()); }
    // An empty picture for an index out of the list.
    QPixmap pixmap(int index) const;
    QIcon icon(int index) const;
    void draw(QPainter &painter, int x, int y, int index) const;

private:
    std::vector<QPixmap> m_pixmaps;
};

// Paints picture index on a transparent 21 x 21 image.
QImage drawImageListPicture(int index);
