#pragma once

#include <QDateEdit>
#include <QVariant>

// A date a user may leave empty: the earliest date stands for "none" and
// shows blank, and Delete empties the field (a date edit has no empty text
// of its own).
class PoleDaty : public QDateEdit
{
    Q_OBJECT
public:
    static const QDate Brak;

    PoleDaty(const char *nazwa, QWidget *rodzic);

    bool pusta() const { return date() == Brak; }
    void wyczysc() { setDate(Brak); }
    // Null when empty, else the start of the day: what the procedures take.
    QVariant wartosc() const;
    void ustaw(const QVariant &wartosc);

protected:
    void keyPressEvent(QKeyEvent *zdarzenie) override;
};
