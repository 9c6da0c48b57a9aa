#include "playback/rufflecontrol.h"
#include "tests/support/enginetestmain.h"
#include "tests/support/swfwriter.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>

class TestRufflePlayback : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void smoke();

private:
    QTemporaryDir m_dir;
    RuffleFlashControl* m_flash = nullptr;
};

void TestRufflePlayback::initTestCase()
{
    m_flash = new RuffleFlashControl(this);
    m_flash->widget()->resize(400, 300);
    m_flash->widget()->show();
}

void TestRufflePlayback::smoke()
{
    swfgen::MovieSpec spec;
    spec.frameCount = 60;
    spec.version = 6;
    const QString path = m_dir.filePath(QStringLiteral("a.swf"));
    QVERIFY(swfgen::WriteMovieFile(path, spec));
    QSignalSpy ready(m_flash, &FlashControl::OnReadyStateChange);
    m_flash->LoadMovie(0, path);
    QVERIFY(ready.wait(20000));
    qDebug() << m_flash->TotalFrames() << m_flash->probeAnswering() << m_flash->FrameNum();
    QVariant out;
    bool got = false;
    m_flash->runInPage(QStringLiteral("(function(){ const p = document.querySelector('ruffle-player'); let r = {}; try { r.cfg = JSON.stringify(p.ruffle().loadedConfig); r.md = JSON.stringify(p.ruffle().metadata); r.keys = Object.getOwnPropertyNames(p).join(','); r.f = String(p.ruffle().callExternalInterface('quenFrame')); } catch (e) { r.err = String(e); } return r; })()"), [&](const QVariant& v) { out = v; got = true; });
    QTRY_VERIFY(got);
    qDebug() << out;
    QTRY_VERIFY_WITH_TIMEOUT(m_flash->FrameNum() > 10, 5000);
}

QUEN_ENGINE_TEST_MAIN(TestRufflePlayback)
#include "tst_ruffleplayback.moc"
