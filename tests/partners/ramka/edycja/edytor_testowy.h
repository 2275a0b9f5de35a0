#pragma once

#include "ramka/edycja/szablon_edycja_form.h"

#include "connection.h"
#include "host_fixture.h"
#include "host_funcs.h"
#include "query.h"
#include "stored_proc.h"

#include <QLineEdit>
#include <functional>
#include <stdexcept>

// A saving procedure the tests control: it writes faktura_uwagi_dodatkowe
// like the real one, remembers the @id it was given and answers `kod`.
struct ProceduraTestowa
{
    static constexpr const char *Nazwa = "PTestZapiszSzablonEdycji";
    static inline QVariantList otrzymaneId;
    static inline int kod = 0;
    static inline std::function<void()> wTrakcie;

    static void zarejestruj()
    {
        otrzymaneId.clear();
        kod = 0;
        wTrakcie = nullptr;
        db::ProcedureDefinition d;
        d.name = QLatin1String(Nazwa);
        d.parameters.add(QStringLiteral("@nazwa"), QMetaType::QString, db::ParamDirection::Input, 100);
        d.parameters.add(QStringLiteral("@id"), QMetaType::Int, db::ParamDirection::InputOutput);
        d.body = [](db::ProcedureContext &c) {
            otrzymaneId << c.in(QStringLiteral("@id"));
            if (wTrakcie)
                wTrakcie();
            if (kod != 0)
                return kod;
            db::Connection &polaczenie = c.connection();
            if (c.isNull(QStringLiteral("@id"))) {
                db::Query q(&polaczenie,
                            QStringLiteral("insert into faktura_uwagi_dodatkowe (nazwa, tresc) values (:n, 'x')"));
                q.parameters().setValue(QStringLiteral("n"), c.in(QStringLiteral("@nazwa")));
                q.exec();
                c.setOut(QStringLiteral("@id"),
                         host::GetIntDB(QStringLiteral("select max(id_fv_ud) from faktura_uwagi_dodatkowe"), QString(),
                                        &polaczenie));
            } else {
                db::Query q(&polaczenie,
                            QStringLiteral("update faktura_uwagi_dodatkowe set nazwa = :n where id_fv_ud = :id"));
                q.parameters().setValue(QStringLiteral("n"), c.in(QStringLiteral("@nazwa")));
                q.parameters().setValue(QStringLiteral("id"), c.in(QStringLiteral("@id")));
                q.exec();
            }
            return 0;
        };
        db::ProcedureRegistry::instance().add(d);
    }
};

// The smallest real editor: one name field over faktura_uwagi_dodatkowe.
class EdytorTestowy : public Tszablon_edycja_form
{
public:
    explicit EdytorTestowy(QWidget *parent = nullptr)
        : Tszablon_edycja_form(parent, QStringLiteral("edytor_testowy"))
    {
        naglowek = QStringLiteral("Uwaga");
        nazwa = new QLineEdit(PanelWnetrza());
        nazwa->setObjectName(QStringLiteral("e_nazwa"));
        podepnijPole(nazwa);
        spZapisz()->setProcedureName(QLatin1String(ProceduraTestowa::Nazwa));
    }

    QLineEdit *nazwa = nullptr;
    QList<int> wczytane; // id_rekordu at each fill
    bool transakcjaPrzedZapisem = false;
    bool rzucPrzyWypelnianiu = false;

    void ustawTabeleSlownie(const QString &tabela) { tabela_slownie = tabela; }

protected:
    void Wypelnij_Pola() override
    {
        Tszablon_edycja_form::Wypelnij_Pola();
        if (rzucPrzyWypelnianiu)
            throw std::runtime_error("odczyt uwagi");
        wczytane << id_rekordu;
        nazwa->setText(
            host::GetStringDB(QStringLiteral("select nazwa from faktura_uwagi_dodatkowe where id_fv_ud = :id"),
                              QString(), nullptr, {{QStringLiteral("id"), id_rekordu}}));
    }
    void Wyczysc_Pola() override { nazwa->clear(); }
    bool beforeSave() override
    {
        // Work of a derived editor done in its own transaction ahead of the procedure.
        if (transakcjaPrzedZapisem) {
            host::GetConnection()->begin();
            host::ExecQuery(QStringLiteral("insert into faktura_uwagi_dodatkowe (nazwa) values ('przed')"));
        }
        return true;
    }
    bool ZapiszZmiany(int mode) override
    {
        spZapisz()->setValue(QStringLiteral("@nazwa"), nazwa->text());
        return Tszablon_edycja_form::ZapiszZmiany(mode);
    }
};

class SzablonEdycjiTest : public HostDatabaseTest
{
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        if (IsSkipped())
            return;
        ProceduraTestowa::zarejestruj();
    }

    int uwaga(const QString &nazwa, bool wSynchronizacji = false)
    {
        host::ExecQuery(
            QStringLiteral("insert into faktura_uwagi_dodatkowe (nazwa, tresc, w_synchronizacji) values (:n, 't', :s)"),
            nullptr, 0, {{QStringLiteral("n"), nazwa}, {QStringLiteral("s"), wSynchronizacji ? 1 : 0}});
        return host::GetIntDB(QStringLiteral("select max(id_fv_ud) from faktura_uwagi_dodatkowe"));
    }

    QString nazwaUwagi(int id)
    {
        return host::GetStringDB(QStringLiteral("select nazwa from faktura_uwagi_dodatkowe where id_fv_ud = :id"),
                                 QString(), nullptr, {{QStringLiteral("id"), id}});
    }

    int ileUwag() { return host::GetIntDB(QStringLiteral("select count(*) from faktura_uwagi_dodatkowe")); }
};
