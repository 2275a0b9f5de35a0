#include "demo_files.h"

#include "checks.h"
#include "connection.h"
#include "host_funcs.h"
#include "host_variables.h"
#include "query.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

namespace host {

namespace {

// A page as a scanner gives it: header, lines of text, a stamp. Drawn without
// fonts, since `malvo db create` runs without a GUI application.
QImage scannedPage(int seed)
{
    QImage page(620, 877, QImage::Format_RGB32);
    page.fill(QColor(250, 249, 245));
    QPainter p(&page);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(50, 50, 520, 36, QColor(40, 70, 120));
    p.setPen(Qt::NoPen);
    for (int line = 0; line < 22; ++line) {
        const int width = 300 + (seed * 37 + line * 53) % 220;
        p.fillRect(60, 120 + line * 26, width, 9, QColor(120, 120, 125));
    }
    p.setPen(QPen(QColor(170, 30, 40), 5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPoint(440, 760), 70, 70);
    p.drawEllipse(QPoint(440, 760), 45, 45);
    return page;
}

} // namespace

void writeDemoFiles(db::Connection &connection)
{
    const QString subfolder = QStringLiteral("DEMO");
    const QString folder = localPath(var::SciezkaDokumenty.get() + QLatin1Char('\\') + subfolder);
    if (!QDir().mkpath(folder)) {
        save_log_to_file(QStringLiteral(__FILE__), QStringLiteral("writeDemoFiles"), __LINE__,
                         QStringLiteral("cannot create ") + folder);
        return;
    }
    db::Query companies(&connection,
                        QStringLiteral("select f.id_f, f.skrot, min(d.id_dok) as id_dok from firma f"
                                       " left join dokument d on d.id_f = f.id_f"
                                       " where f.id_f % 7 = 0 group by f.id_f, f.skrot order by f.id_f"));
    db::Query link(&connection,
                   QStringLiteral("insert into dokument_plik (sciezka, tabela, id_) values (:s, :t, :id)"));
    const auto linkFile = [&](const QString &name, int table, const QVariant &id) {
        link.parameters().setValue(QStringLiteral("s"), subfolder + QLatin1Char('\\') + name);
        link.parameters().setValue(QStringLiteral("t"), table);
        link.parameters().setValue(QStringLiteral("id"), id);
        link.exec();
    };
    db::Transaction transaction(connection);
    companies.open();
    for (companies.first(); !companies.eof(); companies.next()) {
        const int company = companies.value(0).toInt();
        const QString base = Sprawdz_czy_sensowny_numer(companies.value(1).toString());
        const QString scan = base + QStringLiteral("_skan.jpg");
        if (!scannedPage(company).save(QDir(folder).filePath(scan), "JPG", 80))
            continue;
        linkFile(scan, 7, company);
        if (!companies.value(2).isNull())
            linkFile(scan, 28, companies.value(2));
        if (company % 14 != 0)
            continue;
        const QString note = base + QStringLiteral("_notatka.txt");
        QFile file(QDir(folder).filePath(note));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            file.write("Notatka z rozmowy z klientem.\nUzgodniono stawki na kolejny kwartał.\n");
            file.close();
            linkFile(note, 7, company);
        }
    }
    transaction.commit();
}

} // namespace host
