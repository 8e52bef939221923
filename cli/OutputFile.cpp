// Safe output files and PNG encoding.
#include "cli/OutputFile.h"

#include "cli/CommandErrors.h"
#include "core/document/FileAccess.h"

#include <QBuffer>
#include <QImageWriter>

namespace velmora {

bool IsStandardOutput(const std::string& path) {
    return path == kStandardOutputName;
}

void WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes, Console& console) {
    if (IsStandardOutput(path)) {
        console.Out.write(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<std::streamsize>(bytes.size()));
        console.Out.flush();
        if (!console.Out) {
            throw FileError(path, "cannot write to standard output");
        }
        return;
    }
    try {
        SafeFileWriter file(path);
        file.Write(bytes);
        file.Commit();
    } catch (const UserError& error) {
        throw FileError(path, error.what());
    }
}

void WriteOutput(const std::string& path, const QByteArray& bytes, Console& console) {
    WriteOutput(path,
                std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                          static_cast<std::size_t>(bytes.size())),
                console);
}

QByteArray EncodePng(const QImage& image, const bool fewColours) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // Exact when the image has at most 256 colours: nothing is dithered.
    const QImage stored = fewColours ? image.convertToFormat(QImage::Format_Indexed8,
                                                             Qt::ThresholdDither | Qt::AvoidDither)
                                     : image;
    if (!writer.write(stored)) {
        throw UserError("cannot encode the picture as PNG: " + writer.errorString().toStdString());
    }
    return bytes;
}

}  // namespace velmora
