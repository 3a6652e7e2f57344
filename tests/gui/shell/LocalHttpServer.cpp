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
    replies_[path] = Reply{status, body, declaredLength};
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
    const Reply reply = found != replies_.end() ? found->second : Reply{404, "<html><body>Not Found</body></html>"};
    const qint64 length = reply.declaredLength >= 0 ? reply.declaredLength : static_cast<qint64>(reply.body.size());
    const std::string head = "HTTP/1.1 " + std::to_string(reply.status) +
                             " Status\r\nContent-Type: application/octet-stream\r\n"
                             "Content-Length: " +
                             std::to_string(length) + "\r\nConnection: close\r\n\r\n";
    socket.write(head.data(), static_cast<qint64>(head.size()));
    socket.write(reply.body.data(), static_cast<qint64>(reply.body.size()));
    socket.disconnectFromHost();
}

} // namespace lk::test
