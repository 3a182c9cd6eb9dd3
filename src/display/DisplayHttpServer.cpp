#include "DisplayHttpServer.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>

using namespace Qt::StringLiterals;

namespace {

using Status = QHttpServerResponder::StatusCode;

struct Resource
{
    const char* path;
    const char* file;
    const char* mimeType;
};

constexpr Resource Resources[] = {
    {"/", ":/display/page/index.html", "text/html; charset=utf-8"},
    {"/display.js", ":/display/page/display.js", "text/javascript; charset=utf-8"},
    {"/display.css", ":/display/page/display.css", "text/css; charset=utf-8"},
};

// The page's script and style are files of the same origin, so the policy allows nothing inline and nothing
// from elsewhere; the WebSocket goes back to the same host and port.
constexpr char SecurityPolicy[] =
    "default-src 'none'; script-src 'self'; style-src 'self'; connect-src 'self'; img-src 'self'; "
    "base-uri 'none'; form-action 'none'; frame-ancestors 'none'";

void respond(QHttpServerResponder&& responder, Status status, const QByteArray& body, const QByteArray& mimeType,
             const QByteArray& allow = {})
{
    responder.writeStatusLine(status);
    responder.writeHeader("Content-Type", mimeType);
    responder.writeHeader("Content-Length", QByteArray::number(body.size()));
    responder.writeHeader("Content-Security-Policy", SecurityPolicy);
    responder.writeHeader("X-Content-Type-Options", "nosniff");
    responder.writeHeader("Cache-Control", "no-store");
    responder.writeHeader("Referrer-Policy", "no-referrer");
    if (!allow.isEmpty())
        responder.writeHeader("Allow", allow);
    responder.writeBody(body);
}

void respondText(QHttpServerResponder&& responder, Status status, const QByteArray& text, const QByteArray& allow = {})
{
    respond(std::move(responder), status, text + '\n', "text/plain; charset=utf-8", allow);
}

QByteArray resourceBody(const char* file)
{
    QFile f(QString::fromLatin1(file));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool isUpgrade(const QHttpServerRequest& request)
{
    return request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0;
}

} // namespace

DisplayHttpServer::DisplayHttpServer(StateSource state, QObject* parent)
    : QAbstractHttpServer(parent), m_state(std::move(state))
{
    setObjectName(u"DisplayHttpServer"_s);
}

// Returning true for an upgrade at /live, without writing, hands the socket to the WebSocket side; any other
// upgrade is refused by the base class, which then calls missingHandler().
bool DisplayHttpServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    const QString path = request.url().path();
    const bool get = request.method() == QHttpServerRequest::Method::Get;
    if (path == QLatin1StringView(LivePath)) {
        if (get && isUpgrade(request))
            return true;
        if (!get)
            respondText(makeResponder(request, socket), Status::MethodNotAllowed, "Only GET is allowed.", "GET");
        else
            respondText(makeResponder(request, socket), Status::UpgradeRequired,
                        "This address is a WebSocket: open the page at / instead.");
        return true;
    }
    if (isUpgrade(request))
        return false;

    const Resource* resource = nullptr;
    for (const Resource& r : Resources)
        if (path == QLatin1StringView(r.path))
            resource = &r;
    const bool state = path == u"/state"_s;
    if (!resource && !state)
        return false;
    if (!get) {
        respondText(makeResponder(request, socket), Status::MethodNotAllowed, "Only GET is allowed.", "GET");
        return true;
    }
    if (state)
        respond(makeResponder(request, socket), Status::Ok, m_state(), "application/json");
    else
        respond(makeResponder(request, socket), Status::Ok, resourceBody(resource->file), resource->mimeType);
    return true;
}

void DisplayHttpServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket)
{
    respondText(makeResponder(request, socket), Status::NotFound, "Not found.");
}
