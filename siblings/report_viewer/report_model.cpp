#include "report_model.h"

#include <QFont>

namespace report_viewer {

RaportModel::RaportModel(QObject *parent)
    : QAbstractTableModel(parent)
{}

void RaportModel::ustawTabele(const RaportTabela &tabela)
{
    beginResetModel();
    m_tabela = tabela;
    endResetModel();
}

bool RaportModel::czyPodsumowanie(int wiersz) const
{
    return m_tabela.podsumowanie && wiersz == int(m_tabela.wiersze.size());
}

int RaportModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return int(m_tabela.wiersze.size()) + (m_tabela.podsumowanie ? 1 : 0);
}

int RaportModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_tabela.liczbaKolumn();
}

QVariant RaportModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const bool podsumowanie = czyPodsumowanie(index.row());
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        const QStringList &wiersz = podsumowanie ? *m_tabela.podsumowanie : m_tabela.wiersze[index.row()];
        return index.column() < wiersz.size() ? wiersz[index.column()] : QString();
    }
    if (role == Qt::FontRole && podsumowanie) {
        QFont font;
        font.setBold(true);
        return font;
    }
    return {};
}

QVariant RaportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_tabela.liczbaKolumn() ? m_tabela.tytuly[section] : QVariant();
    return section + 1;
}

} // namespace report_viewer
