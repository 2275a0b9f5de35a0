#include "dokumenty/pole_daty.h"

#include "services.h"

#include <QKeyEvent>

const QDate PoleDaty::Brak(1900, 1, 1);

PoleDaty::PoleDaty(const char *nazwa, QWidget *rodzic)
    : QDateEdit(Brak, rodzic)
{
    setObjectName(QLatin1String(nazwa));
    setMinimumDate(Brak);
    setSpecialValueText(QStringLiteral(" "));
    setCalendarPopup(true);
    setDisplayFormat(host::services().dateFormat());
}

QVariant PoleDaty::wartosc() const
{
    return pusta() ? QVariant() : QVariant(date().startOfDay());
}

void PoleDaty::ustaw(const QVariant &wartosc)
{
    setDate(wartosc.isNull() ? Brak : wartosc.toDateTime().date());
}

void PoleDaty::keyPressEvent(QKeyEvent *zdarzenie)
{
    if (zdarzenie->key() == Qt::Key_Delete)
        wyczysc();
    else
        QDateEdit::keyPressEvent(zdarzenie);
}
