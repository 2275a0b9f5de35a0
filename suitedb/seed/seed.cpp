#include "seed.h"

#include "connection.h"
#include "db_error.h"
#include "prepared_insert.h"
#include "query.h"
#include "suitedb.h"
#include "tsv_file.h"

#include <QHash>
#include <QRegularExpression>

namespace suitedb {

namespace {

using seed::PreparedInsert;
using seed::readTsv;
using seed::seedFile;

// Texts of one translation identifier in Polish and English.
struct Texts
{
    QString pl;
    QString en;
};

QVariant nullable(const QString &text)
{
    return text == QLatin1String("-") || text.isEmpty() ? QVariant() : QVariant(text);
}

[[noreturn]] void badRow(const QString &file, int line, const QString &why)
{
    throw db::DbError(QStringLiteral("%1, line %2: %3").arg(file).arg(line).arg(why));
}

class Seeder
{
public:
    explicit Seeder(db::Connection &connection)
        : m_connection(connection),
          m_translate(connection,
                      QStringLiteral("insert into tlumaczenie (identyfikator, id_jezyka, tresc) "
                                     "values (:identyfikator, :id_jezyka, :tresc)"))
    {}

    void run()
    {
        languages();
        users();
        messages();
        dictionaries();
        countries();
        cities();
        tableCodes();
        banks();
    }

    // The message texts belong to the program, not to the data: a newer
    // program brings texts that an existing database must show too.
    void refreshMessages()
    {
        db::Query(&m_connection, QStringLiteral("delete from resstrings")).exec();
        messages();
    }

    void addDictionaries(const QStringList &types)
    {
        refreshMessages();
        dictionaries(types);
    }

private:
    void languages()
    {
        PreparedInsert insert(
            m_connection,
            QStringLiteral("insert into jezyk (id_jezyka, kod, nazwa) values (:id_jezyka, :kod, :nazwa)"));
        insert.run({LanguagePolish, QStringLiteral("pl"), QStringLiteral("Polski")});
        insert.run({LanguageEnglish, QStringLiteral("en"), QStringLiteral("English")});
    }

    void users()
    {
        PreparedInsert user(m_connection,
                            QStringLiteral("insert into uzytkownik (login, imie, nazwisko, administrator, aktywny) "
                                           "values (:login, :imie, :nazwisko, :administrator, 1)"),
                            QStringLiteral("id_u"));
        PreparedInsert right(
            m_connection,
            QStringLiteral("insert into uprawnienia (id_u, modul, poziom) values (:id_u, :modul, :poziom)"));
        const QString file = seedFile(QStringLiteral("users.tsv"));
        for (const seed::TsvRow &row : readTsv(file, 4)) {
            const qint64 id = user.run({row.fields[0], row.fields[1], row.fields[2], row.fields[3].toInt()});
            const QString rights = row.fields.value(4);
            for (const QString &entry : rights.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                const QStringList parts = entry.split(QLatin1Char('='));
                bool ok = false;
                const int level = parts.value(1).toInt(&ok);
                if (parts.size() != 2 || !ok)
                    badRow(file, row.line, QStringLiteral("right \"%1\" is not module=level").arg(entry));
                right.run({id, parts[0].trimmed(), level});
            }
        }
    }

    void messages()
    {
        PreparedInsert insert(
            m_connection,
            QStringLiteral("insert into resstrings (klucz, id_jezyka, tekst) values (:klucz, :id_jezyka, :tekst)"));
        const auto load = [&](const QString &name, int language) {
            QHash<QString, QString> texts;
            // Keys compare case-insensitively in the database, so keys that
            // differ only in case ("KodPocz", "Kodpocz") share one row.
            QHash<QString, QString> stored;
            const QString file = seedFile(name);
            for (const seed::TsvRow &row : readTsv(file, 2)) {
                const QString &key = row.fields[0];
                const QString &text = row.fields[1];
                if (texts.contains(key))
                    badRow(file, row.line, QStringLiteral("key %1 appears twice").arg(key));
                texts.insert(key, text);
                const auto same = stored.constFind(key.toLower());
                if (same == stored.constEnd()) {
                    stored.insert(key.toLower(), text);
                    insert.run({key, language, text});
                } else if (*same != text) {
                    badRow(file, row.line,
                           QStringLiteral("key %1 differs only in case from another key "
                                          "and needs the same text")
                               .arg(key));
                }
            }
            return texts;
        };
        m_messagesPl = load(QStringLiteral("resstrings_pl.tsv"), LanguagePolish);
        m_messagesEn = load(QStringLiteral("resstrings_en.tsv"), LanguageEnglish);
    }

    // "@<key>" stands for the translation of that message key.
    QString resolve(const QString &text, const QHash<QString, QString> &messages, const QString &file, int line) const
    {
        if (!text.startsWith(QLatin1Char('@')))
            return text;
        const auto it = messages.constFind(text.mid(1));
        if (it == messages.constEnd())
            badRow(file, line, QStringLiteral("unknown message key %1").arg(text.mid(1)));
        return *it;
    }

    // Each identifier is translated once; a second use must agree with the first.
    void translate(const QString &identifier, const Texts &texts, const QString &file, int line)
    {
        const auto it = m_translated.constFind(identifier);
        if (it != m_translated.constEnd()) {
            if (it->pl != texts.pl || it->en != texts.en)
                badRow(file, line, QStringLiteral("identifier %1 already has other texts").arg(identifier));
            return;
        }
        m_translated.insert(identifier, texts);
        m_translate.run({identifier, LanguagePolish, texts.pl});
        m_translate.run({identifier, LanguageEnglish, texts.en});
    }

    // All types when `only` is empty.
    void dictionaries(const QStringList &only = {})
    {
        PreparedInsert insert(
            m_connection,
            QStringLiteral("insert into slowwartosci (typ_slownika, nazwa_parametru, grupa, wartosc, system, kolor) "
                           "values (:typ_slownika, :nazwa_parametru, :grupa, :wartosc, :system, :kolor)"));
        const QString file = seedFile(QStringLiteral("dictionaries.tsv"));
        for (const seed::TsvRow &row : readTsv(file, 8)) {
            const QStringList &f = row.fields;
            if (!only.isEmpty() && !only.contains(f[0]))
                continue;
            bool groupOk = false;
            const int group = f[2].toInt(&groupOk);
            QVariant colour;
            if (f[4] != QLatin1String("-")) {
                bool colourOk = false;
                colour = f[4].toInt(&colourOk, 0);
                if (!colourOk)
                    badRow(file, row.line, QStringLiteral("bad colour %1").arg(f[4]));
            }
            if (!groupOk)
                badRow(file, row.line, QStringLiteral("bad group %1").arg(f[2]));
            translate(f[5], {resolve(f[6], m_messagesPl, file, row.line), resolve(f[7], m_messagesEn, file, row.line)},
                      file, row.line);
            insert.run({f[0], f[1], group, f[5], f[3].toInt(), colour});
        }
    }

    void countries()
    {
        PreparedInsert insert(
            m_connection,
            QStringLiteral("insert into panstwo (nazwa, sam, iso, domena, waluta, NIP, nr_kierunkowy, aktywny) "
                           "values (:nazwa, :sam, :iso, :domena, :waluta, :nip, :nr_kierunkowy, 1)"),
            QStringLiteral("id_p"));
        const QString file = seedFile(QStringLiteral("countries.tsv"));
        for (const seed::TsvRow &row : readTsv(file, 8)) {
            const QStringList &f = row.fields;
            const QString identifier = QStringLiteral("panstwo_") + f[0].toLower();
            translate(identifier, {f[6], f[7]}, file, row.line);
            const qint64 id =
                insert.run({identifier, f[1], f[0], nullable(f[2]), nullable(f[3]), nullable(f[4]), nullable(f[5])});
            m_countryIds.insert(f[0], id);
        }
    }

    void cities()
    {
        PreparedInsert city(
            m_connection,
            QStringLiteral("insert into miasto (miasto, id_panstwa, widoczne) values (:miasto, :id_panstwa, 1)"),
            QStringLiteral("id_m"));
        PreparedInsert code(m_connection, QStringLiteral("insert into kod_pocztowy (kod, id_m) values (:kod, :id_m)"));
        const QString file = seedFile(QStringLiteral("cities.tsv"));
        for (const seed::TsvRow &row : readTsv(file, 3)) {
            const QStringList &f = row.fields;
            const auto country = m_countryIds.constFind(f[0]);
            if (country == m_countryIds.constEnd())
                badRow(file, row.line, QStringLiteral("unknown country %1").arg(f[0]));
            const QStringList codes = f[2].split(QLatin1Char(','), Qt::SkipEmptyParts);
            if (codes.isEmpty())
                badRow(file, row.line, QStringLiteral("a city needs a postal code"));
            const qint64 id = city.run({f[1], *country});
            for (const QString &c : codes)
                code.run({c.trimmed(), id});
        }
        // Every seeded city has its own post office.
        m_connection.execute(QStringLiteral("update miasto set id_m_poczty = id_m where id_m_poczty is null"));
    }

    void tableCodes()
    {
        PreparedInsert insert(
            m_connection,
            QStringLiteral("insert into definicja_tabela (tabela, tabela_slownie) values (:tabela, :tabela_slownie)"));
        for (const seed::TsvRow &row : readTsv(seedFile(QStringLiteral("table_codes.tsv")), 2))
            insert.run({row.fields[0].toInt(), row.fields[1]});
    }

    void banks()
    {
        static const QRegularExpression number(QStringLiteral("^\\d{4}$"));
        PreparedInsert insert(
            m_connection,
            QStringLiteral("insert into bank (nr_rozliczeniowy, nazwa) values (:nr_rozliczeniowy, :nazwa)"));
        const QString file = seedFile(QStringLiteral("bank_register_pl.tsv"));
        for (const seed::TsvRow &row : readTsv(file, 2)) {
            if (!number.match(row.fields[0]).hasMatch())
                badRow(file, row.line, QStringLiteral("bank number %1 is not four digits").arg(row.fields[0]));
            insert.run({row.fields[0], row.fields[1].trimmed()});
        }
    }

    db::Connection &m_connection;
    PreparedInsert m_translate;
    QHash<QString, QString> m_messagesPl;
    QHash<QString, QString> m_messagesEn;
    QHash<QString, Texts> m_translated;
    QHash<QString, qint64> m_countryIds;
};

} // namespace

void seedReferenceData(db::Connection &connection)
{
    Seeder(connection).run();
}

void refreshMessageTexts(db::Connection &connection)
{
    Seeder(connection).refreshMessages();
}

void seedDictionaries(db::Connection &connection, const QStringList &types)
{
    Seeder(connection).addDictionaries(types);
}

} // namespace suitedb
