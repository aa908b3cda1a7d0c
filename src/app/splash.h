#pragma once

#include <QDialog>

class QLabel;

namespace quenlap {

// The picture shown while the program starts, and again as the about box, where a click on the
// picture closes it.
class TSplash final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSplash)

public:
    static constexpr int Ancho = 534;
    static constexpr int Alto = 292;

    // conAviso: the about box, with its hint and closed by a click.
    explicit TSplash(bool conAviso, QWidget *parent = nullptr);

    QLabel *Image1 = nullptr;
    QLabel *lVersion = nullptr;
    QLabel *lAviso = nullptr;

protected:
    bool eventFilter(QObject *objeto, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void retranslateUi();
    void Image1Click();
};

} // namespace quenlap
