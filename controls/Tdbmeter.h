#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// Everything that decides how a level meter looks, apart from its size.
struct DbMeterLook
{
    enum class Bevel { None, Lowered, Raised, Space };

    Bevel bevel = Bevel::Lowered;
    int bevelWidth = 1;
    QColor greenColor{0, 255, 0};
    int greens = 3;
    int greenMax = 50;
    QColor greenBack{128, 128, 128};
    QColor yellowColor{255, 255, 0};
    int yellows = 2;
    int yellowMax = 25;
    QColor yellowBack{128, 128, 128};
    QColor redColor{255, 0, 0};
    int reds = 1;
    int redMax = 25;
    QColor redBack{128, 128, 128};
    bool showJustOne = false;
    int sepWidth = 1;
    QColor sepColor{192, 192, 192};
    bool vertical = false;
    bool leftUp = false;   // the bar grows left (horizontal) or up (vertical)
};

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
int roundHalfEven(double x);

// Number of segments shown lit at `position`, 0 to greens + yellows + reds.
// Any positive level lights at least one segment; zero and negative levels light none.
int dbmeterLitCount(const DbMeterLook &look, int position);

// Draws the meter into `image` (its whole size, in logical pixels of the image).
void renderDbMeter(QImage &image, const DbMeterLook &look, int position);

// A segmented level meter: green, yellow and red zones like a hardware LED bar.
class Tdbmeter : public QWidget
{
    Q_OBJECT
public:
    enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
    Q_ENUM(TBevelCut)
    enum Tdbmeterstyle { dsVertical, dsHorizontal };
    Q_ENUM(Tdbmeterstyle)
    enum tdbmeterdirection { ddRightDown, ddLeftUp };
    Q_ENUM(tdbmeterdirection)

    Q_PROPERTY(TBevelCut BevelStyle READ BevelStyle WRITE setBevelStyle)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE setBevelWidth)
    Q_PROPERTY(QColor GreenColor READ GreenColor WRITE setGreenColor)
    Q_PROPERTY(int Greens READ Greens WRITE setGreens)
    Q_PROPERTY(int GreenMax READ GreenMax WRITE setGreenMax)
    Q_PROPERTY(QColor GreenBack READ GreenBack WRITE setGreenBack)
    Q_PROPERTY(QColor YellowColor READ YellowColor WRITE setYellowColor)
    Q_PROPERTY(int Yellows READ Yellows WRITE setYellows)
    Q_PROPERTY(int YellowMax READ YellowMax WRITE setYellowMax)
    Q_PROPERTY(QColor YellowBack READ YellowBack WRITE setYellowBack)
    Q_PROPERTY(QColor RedColor READ RedColor WRITE setRedColor)
    Q_PROPERTY(int Reds READ Reds WRITE setReds)
    Q_PROPERTY(int RedMax READ RedMax WRITE setRedMax)
    Q_PROPERTY(QColor RedBack READ RedBack WRITE setRedBack)
    Q_PROPERTY(bool ShowJustOne READ ShowJustOne WRITE setShowJustOne)
    Q_PROPERTY(int SepWidth READ SepWidth WRITE setSepWidth)
    Q_PROPERTY(QColor SepColor READ SepColor WRITE setSepColor)
    Q_PROPERTY(Tdbmeterstyle Style READ Style WRITE setStyle)
    Q_PROPERTY(tdbmeterdirection Direction READ Direction WRITE setDirection)
    Q_PROPERTY(int Position READ Position WRITE setPosition)

    explicit Tdbmeter(QWidget *parent = nullptr);

    TBevelCut BevelStyle() const { return static_cast<TBevelCut>(m_look.bevel); }
    int BevelWidth() const { return m_look.bevelWidth; }
    QColor GreenColor() const { return m_look.greenColor; }
    int Greens() const { return m_look.greens; }
    int GreenMax() const { return m_look.greenMax; }
    QColor GreenBack() const { return m_look.greenBack; }
    QColor YellowColor() const { return m_look.yellowColor; }
    int Yellows() const { return m_look.yellows; }
    int YellowMax() const { return m_look.yellowMax; }
    QColor YellowBack() const { return m_look.yellowBack; }
    QColor RedColor() const { return m_look.redColor; }
    int Reds() const { return m_look.reds; }
    int RedMax() const { return m_look.redMax; }
    QColor RedBack() const { return m_look.redBack; }
    bool ShowJustOne() const { return m_look.showJustOne; }
    int SepWidth() const { return m_look.sepWidth; }
    QColor SepColor() const { return m_look.sepColor; }
    Tdbmeterstyle Style() const { return m_look.vertical ? dsVertical : dsHorizontal; }
    tdbmeterdirection Direction() const { return m_look.leftUp ? ddLeftUp : ddRightDown; }
    int Position() const { return m_position; }

    void setBevelStyle(TBevelCut v);
    // 0, or more than a third of the height or width, is stored as 1.
    void setBevelWidth(int v);
    void setGreenColor(const QColor &v) { assign(m_look.greenColor, v); }
    void setGreens(int v) { assign(m_look.greens, v); }
    void setGreenMax(int v) { assign(m_look.greenMax, v); }
    void setGreenBack(const QColor &v) { assign(m_look.greenBack, v); }
    void setYellowColor(const QColor &v) { assign(m_look.yellowColor, v); }
    void setYellows(int v) { assign(m_look.yellows, v); }
    void setYellowMax(int v) { assign(m_look.yellowMax, v); }
    void setYellowBack(const QColor &v) { assign(m_look.yellowBack, v); }
    void setRedColor(const QColor &v) { assign(m_look.redColor, v); }
    void setReds(int v) { assign(m_look.reds, v); }
    void setRedMax(int v) { assign(m_look.redMax, v); }
    void setRedBack(const QColor &v) { assign(m_look.redBack, v); }
    void setShowJustOne(bool v) { assign(m_look.showJustOne, v); }
    void setSepWidth(int v) { assign(m_look.sepWidth, v); }
    void setSepColor(const QColor &v) { assign(m_look.sepColor, v); }
    void setStyle(Tdbmeterstyle v) { assign(m_look.vertical, v == dsVertical); }
    void setDirection(tdbmeterdirection v) { assign(m_look.leftUp, v == ddLeftUp); }
    void setPosition(int v) { assign(m_position, v); }

    const DbMeterLook &look() const { return m_look; }
    QSize sizeHint() const override { return {80, 17}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    template <typename T>
    void assign(T &field, const T &value)
    {
        if (field == value)
            return;
        field = value;
        update();
    }

    DbMeterLook m_look;
    int m_position = 0;
    QImage m_image;   // off-screen picture, redrawn whole and copied in one go
};
