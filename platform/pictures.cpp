#include "platform/pictures.h"

#include "platform/data_checks.h"

#include <QFileInfo>
#include <QImageReader>
#include <QStringList>

#include <mutex>

namespace {

// While a picture is read, the warnings Qt's image plugins give on the reading thread are caught
// here instead of going out on their own without the file's name.
thread_local QStringList *t_decoderMessages = nullptr;
QtMessageHandler g_passOn = nullptr;

void catchDecoderMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (t_decoderMessages && type != QtDebugMsg && type != QtInfoMsg && type != QtFatalMsg) {
        *t_decoderMessages << message;
        return;
    }
    g_passOn(type, context, message);
}

class DecoderMessages
{
public:
    DecoderMessages() : m_lock(mutex())
    {
        t_decoderMessages = &m_messages;
        g_passOn = qInstallMessageHandler(catchDecoderMessages);
    }
    ~DecoderMessages()
    {
        qInstallMessageHandler(g_passOn);
        t_decoderMessages = nullptr;
    }
    DecoderMessages(const DecoderMessages &) = delete;
    DecoderMessages &operator=(const DecoderMessages &) = delete;

    const QStringList &messages() const { return m_messages; }

private:
    static std::mutex &mutex()
    {
        static std::mutex instance;
        return instance;
    }
    std::lock_guard<std::mutex> m_lock;
    QStringList m_messages;
};

// The format a file name promises, as Qt names formats ("jpeg" for .jpg and .jpeg).
QByteArray formatOfName(const QString &path)
{
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    if (suffix == "jpg" || suffix == "jpe")
        return "jpeg";
    if (suffix == "tif")
        return "tiff";
    return suffix;
}

} // namespace

QImage Pictures::read(const QString &path, QString *why, QString *note)
{
    if (note)
        note->clear();
    const QString problem = DataChecks::fileProblem(path);
    if (!problem.isEmpty()) {
        *why = problem;
        return {};
    }
    // Everything the reader does may make the decoder talk (the header is read by canRead and size).
    DecoderMessages caught;
    const auto withComplaints = [&caught](QString reason) {
        if (!caught.messages().isEmpty())
            reason += QStringLiteral(": ") + caught.messages().join(QStringLiteral("; "));
        return reason;
    };
    // Qt's image handlers refuse, before allocating it, a picture that would take more memory than
    // this; Qt's complaint names the limit. The limit holds for every reader in the process.
    QImageReader::setAllocationLimit(AllocationLimitMegabytes);
    QImageReader reader(path);
    // Qt falls back on the contents when the name's format does not fit: a PNG named .jpg reads.
    if (!reader.canRead()) {
        *why = withComplaints(QStringLiteral("is not a picture Qt can read (%1)").arg(reader.errorString()));
        return {};
    }
    const QSize size = reader.size(); // from the header: what the picture claims to be
    QImage image;
    if (!reader.read(&image)) {
        const QString claimed = size.isValid() ? QStringLiteral(" at %1x%2 pixels").arg(size.width()).arg(size.height())
                                               : QString();
        *why = withComplaints(QStringLiteral("cannot be decoded%1 (%2)").arg(claimed, reader.errorString()));
        return {};
    }
    if (!caught.messages().isEmpty()) {
        *why = QStringLiteral("is damaged (%1)").arg(caught.messages().join(QStringLiteral("; ")));
        return {};
    }
    const QByteArray named = formatOfName(path);
    const QByteArray actual = QImageReader::imageFormat(path);
    if (note && !named.isEmpty() && !actual.isEmpty() && named != actual)
        *note = QStringLiteral("is a %1 picture under a .%2 name").arg(QString::fromLatin1(actual.toUpper()),
                                                                      QFileInfo(path).suffix());
    return image;
}
