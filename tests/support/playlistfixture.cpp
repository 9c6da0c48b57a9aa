#include "tests/support/playlistfixture.h"

QStringList PlaylistFixture::paths() const
{
    QStringList out;
    for (int row = 1; row <= model.RowCount(); ++row)
        out.append(model.FilePath(row));
    return out;
}

QStringList PlaylistFixture::numbers() const
{
    QStringList out;
    for (int row = 1; row <= model.RowCount(); ++row)
        out.append(model.Text(row, PlaylistModel::ColNumber));
    return out;
}

QStringList CountTo(int n)
{
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out.append(QString::number(i));
    return out;
}

PlaylistFixture::PlaylistFixture(const QString& dataFolder)
    : tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest)
    , transport(&model)
    , commands(model, transport, settings, ui, dataFolder)
{
    model.SetTransport(&transport);
}

void PlaylistFixture::add(const QStringList& paths)
{
    for (const QString& path : paths)
        model.AddFileToList(path, false, false);
}
