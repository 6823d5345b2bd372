// The quit word under any keys: each byte a key (a to z the letters' keys, any other byte that
// key code). The word is completed exactly when the keys since the last completion end in q u i t.
#include "fuzz.h"
#include "window/kiosk.h"

FUZZ_WITHOUT_APPLICATION

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QuitWord word;
    QString since;
    for (std::size_t i = 0; i < size; ++i) {
        const int key = data[i] >= 'a' && data[i] <= 'z' ? Qt::Key_A + (data[i] - 'a') : data[i];
        const char letter = key == Qt::Key_Q ? 'q' : key == Qt::Key_U ? 'u' : key == Qt::Key_I ? 'i' : key == Qt::Key_T ? 't' : '.';
        since += QLatin1Char(letter);
        const QuitWord::Step step = word.take(key);
        FUZZ_CHECK((step == QuitWord::Completed) == since.endsWith(QStringLiteral("quit")));
        const bool begun = since.endsWith(QLatin1Char('q')) || since.endsWith(QStringLiteral("qu"))
                           || since.endsWith(QStringLiteral("qui"));
        FUZZ_CHECK((step == QuitWord::Continued) == (begun && step != QuitWord::Completed));
        if (step == QuitWord::Completed)
            since.clear();
    }
    return 0;
}
