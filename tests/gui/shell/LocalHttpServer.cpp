#include "LocalHttpServer.h"

#include <QTcpSocket>
#include <memory>
#include <stdexcept>

namespace lk::test {

LocalHttpServer::LocalHttpServer()
{
    if (!server_.listen(QHostAddress::LocalHost, 0)) {
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    QObject::connect(&server_, &QTcpServer::newConnection, [this] { Accept(); });
}

LocalHttpServer::~LocalHttpServer()
{
    server_.close();
}

void LocalHttpServer::Serve(const std::string& path, const std::string& body, int status, qint64 declaredLength)
{
    Reply reply;
    reply.status = status;
    reply.body = body;
    reply.declaredLength = declaredLength;
    replies_[path] = reply;
}

void LocalHttpServer::Stall(const std::string& path)
{
    Reply reply;
    reply.kind = Reply::Kind::Stall;
    replies_[path] = reply;
}

void LocalHttpServer::StreamEndlessly(const std::string& path, qint64 declaredLength)
{
    Reply reply;
    reply.kind = Reply::Kind::Stream;
    reply.declaredLength = declaredLength;
    replies_[path] = reply;
}

void LocalHttpServer::Redirect(const std::string& path, const std::string& location)
{
    Reply reply;
    reply.kind = Reply::Kind::Redirect;
    reply.status = 302;
    reply.location = location;
    replies_[path] = reply;
}

qint64 LocalHttpServer::streamedBytes(const std::string& path) const
{
    const auto found = streamed_.find(path);
    return found != streamed_.end() ? found->second : 0;
}

std::string LocalHttpServer::Address(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + path;
}

quint16 LocalHttpServer::ClosedPort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0)) {
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void LocalHttpServer::Accept()
{
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        // The socket is the server's child; it goes when its peer is gone or with the server.
        auto received = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received] {
            received->append(socket->readAll());
            qsizetype end = 0;
            while ((end = received->indexOf("\r\n\r\n")) >= 0) {
                const QByteArray head = received->left(end);
                received->remove(0, end + 4);
                const QList<QByteArray> requestLine = head.split('\n').front().trimmed().split(' ');
                const std::string path = requestLine.size() >= 2 ? requestLine[1].toStdString() : std::string();
                requested_.push_back(path);
                if (behaviour_ == Behaviour::Answer) {
                    Answer(*socket, path);
                    return;
                }
            }
        });
    }
}

void LocalHttpServer::Answer(QTcpSocket& socket, const std::string& path)
{
    const auto found = replies_.find(path);
    Reply notFound;
    notFound.status = 404;
    notFound.body = "<html><body>Not Found</body></html>";
    const Reply reply = found != replies_.end() ? found->second : notFound;
    switch (reply.kind) {
    case Reply::Kind::Stall:
        return;
    case Reply::Kind::Stream:
        Stream(socket, path);
        return;
    case Reply::Kind::Redirect: {
        const std::string head =
            "HTTP/1.1 302 Found\r\nLocation: " + reply.location + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        socket.write(head.data(), static_cast<qint64>(head.size()));
        socket.disconnectFromHost();
        return;
    }
    case Reply::Kind::Body:
        break;
    }
    const qint64 length = reply.declaredLength >= 0 ? reply.declaredLength : static_cast<qint64>(reply.body.size());
    const std::string head = "HTTP/1.1 " + std::to_string(reply.status) +
                             " Status\r\nContent-Type: application/octet-stream\r\n"
                             "Content-Length: " +
                             std::to_string(length) + "\r\nConnection: close\r\n\r\n";
    socket.write(head.data(), static_cast<qint64>(head.size()));
    socket.write(reply.body.data(), static_cast<qint64>(reply.body.size()));
    socket.disconnectFromHost();
}

void LocalHttpServer::Stream(QTcpSocket& socket, const std::string& path)
{
    const qint64 declared = replies_[path].declaredLength;
    std::string head = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n";
    if (declared >= 0) {
        head += "Content-Length: " + std::to_string(declared) + "\r\n";
    }
    head += "Connection: close\r\n\r\n";
    socket.write(head.data(), static_cast<qint64>(head.size()));
    // More is written each time the connection has taken most of what waits,
    // so the stream goes on as fast as the reader reads, until it hangs up.
    constexpr qint64 kChunk = qint64{64} * 1024;
    const QByteArray chunk(kChunk, 'x');
    auto more = [this, path, chunk, &socket](qint64) {
        while (socket.state() == QAbstractSocket::ConnectedState && socket.bytesToWrite() < 4 * kChunk) {
            streamed_[path] += socket.write(chunk);
        }
    };
    QObject::connect(&socket, &QTcpSocket::bytesWritten, &socket, more);
    more(0);
}

} // namespace lk::test
