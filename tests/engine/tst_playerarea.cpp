#include "playback/rufflecontrol.h"
#include "tests/support/as3movie.h"
#include "tests/support/enginetestmain.h"
#include "tests/support/eventwait.h"

#include <QTemporaryDir>
#include <QWidget>

class TestPlayerArea : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void scaleReachesAMovieWithoutProbe();
    void keysNeverReachTheMovie();

private:
    QVariant page(const QString& code)
    {
        auto answer = std::make_shared<QVariant>();
        m_flash.runInPage(code, [answer](const QVariant& v) { *answer = v.isValid() ? v : QVariant(0); });
        WaitInEventLoop([&] { return answer->isValid(); }, 5000);
        return *answer;
    }
    // Pixels of the movie's square as the view shows it, once the engine has drawn afresh.
    int squarePixels()
    {
        WaitInEventLoop([] { return false; }, 1500);
        const QImage image = m_flash.widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
        return int(std::count(pixels, pixels + image.width() * image.height(), qRgb(0xF0, 0xA0, 0x30)));
    }
    QTemporaryDir m_dir;
    RuffleFlashControl m_flash;
};

// A 100 x 100 stage with a 20 x 20 square, whose Sprite document class leaves no timeline to probe.
void TestPlayerArea::initTestCase()
{
    swfgen::MovieSpec spec { .version = 10, .width = 100, .height = 100, .frameCount = 1, .actionScript3 = true };
    spec.extraTags[1] = as3gen::FrameOneTags({ .spriteDocument = true });
    QVERIFY(swfgen::WriteMovieFile(m_dir.filePath(u"sprite.swf"_qs), spec));
    m_flash.widget()->resize(400, 300);
    m_flash.widget()->show();
    m_flash.LoadMovie(0, m_dir.filePath(u"sprite.swf"_qs));
    QVERIFY(WaitInEventLoop([this] { return m_flash.ReadyState() == FlashControl::ReadyComplete; }, 20000));
    QVERIFY(!m_flash.TimelineReadable());
}

void TestPlayerArea::scaleReachesAMovieWithoutProbe()
{
    const int shownAll = squarePixels(); // three times the stage: 60 x 60
    m_flash.SetScale(QStringLiteral("NoScale"));
    const int unscaled = squarePixels();
    QVERIFY2(shownAll > 3000 && unscaled > 300 && unscaled < 500, qPrintable(u"%1 %2"_qs.arg(shownAll).arg(unscaled)));
}

void TestPlayerArea::keysNeverReachTheMovie()
{
    page(u"window.quenKeys = 0; ['keydown', 'keyup', 'keypress'].forEach(function (t) {"
         " window.addEventListener(t, function () { ++window.quenKeys; }, true); }); 1"_qs);
    m_flash.inputWidget()->setFocus(); // as the engine sometimes takes it
    QTest::keyPress(m_flash.inputWidget(), Qt::Key_A);
    QTest::keyRelease(m_flash.inputWidget(), Qt::Key_A);
    WaitInEventLoop([] { return false; }, 500);
    QCOMPARE(page(u"window.quenKeys"_qs).toInt(), 0);
}

QUEN_ENGINE_TEST_MAIN(TestPlayerArea)
#include "tst_playerarea.moc"
