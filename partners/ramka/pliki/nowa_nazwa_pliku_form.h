#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QWidget;

// Asks for a file name: while a name is taken in the store, and for a scan.
// The hint panel shows, while scanning, how the pages of a multi-page scan
// will be named. Accept gives 1, cancel 2.
class Tnowa_nazwa_pliku_form : public QDialog
{
    Q_OBJECT
public:
    Tnowa_nazwa_pliku_form(QWidget *parent, const QString &proponowana, const QString &etykieta, bool skanowanie);

    QLineEdit *eNazwa() const { return m_nazwa; }
    QWidget *pPodpowiedz() const { return m_podpowiedz; }
    QLabel *lPrzyklad() const { return m_przyklad; }

    // The entered name through the host's prompter; nullopt when cancelled or empty.
    static std::optional<QString> zapytaj(QWidget *parent, const QString &proponowana,
                                          const QString &etykieta = QString(), bool skanowanie = false);

private:
    void pokazPrzyklad(const QString &nazwa);

    QLineEdit *m_nazwa = nullptr;
    QWidget *m_podpowiedz = nullptr;
    QLabel *m_przyklad = nullptr;
};
