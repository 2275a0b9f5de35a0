#pragma once

#include "lists/lista_firm_modal_form.h"

#include <QStringList>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;

// The picker shown when an imported order names a company the database does
// not know: the user points at the matching company or adds it as a new one.
class Tlista_firm_sp_modal_form : public Tlista_firm_modal_form
{
    Q_OBJECT
public:
    // Creates the company from the order's data; the new company's id, 0 or
    // less when nothing was created.
    using DodawanieFirmy = std::function<int(const QStringList &info)>;

    explicit Tlista_firm_sp_modal_form(QWidget *parent = nullptr);

    // Entry 1 is the company's name, entry 0 its binding id; the list is kept
    // for adding the company. Without a binding the id part of the sentence goes.
    void UstawInformacje(const QStringList &info, bool zPowiazaniem);
    const QStringList &informacje() const { return m_info; }

    // The add buttons appear only once there is a way to add a company.
    void UstawDodawanieFirmy(DodawanieFirmy dodawanie);

    void bDodajNowaFirmeClick();
    void Button1Click();
    void Button2Click();

private:
    void pokazPrzyciski();

    QFrame *m_pInfo = nullptr;
    QLabel *m_nazwa = nullptr;
    QLabel *m_powiazanie = nullptr;
    QList<QLabel *> m_czesciPowiazania;
    QPushButton *m_dodaj = nullptr;
    QPushButton *m_dlaWszystkich = nullptr;
    QPushButton *m_zatwierdzImport = nullptr;
    QStringList m_info;
    DodawanieFirmy m_dodawanie;
    bool m_importTrwa = false;
};
