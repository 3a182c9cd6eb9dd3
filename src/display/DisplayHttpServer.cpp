#include "DisplayHttpServer.h"

#include "HttpConnection.h"

#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpSocket>

#include <cstdio>
#include <mutex>

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
    {"/digits.ttf", ":/display/page/digits.ttf", "font/ttf"},
};

// The page's script and style are files of the same origin, so the policy allows nothing inline and nothing
// from elsewhere; the WebSocket goes back to the same host and port.
constexpr char SecurityPolicy[] =
    "default-src 'none'; script-src 'self'; style-src 'self'; connect-src 'self'; img-src 'self'; font-src 'self'; "
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

void answered(QTcpSocket* socket)
{
    if (HttpConnection* connection = HttpConnection::of(socket))
        connection->answered();
}

QtMessageHandler previousHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && context.category && qstrcmp(context.category, "qt.httpserver") == 0 &&
        message.startsWith(u"WebSocket received but no slots connected"_s))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

DisplayHttpServer::DisplayHttpServer(StateSource state, QObject* parent, RoomHosts hosts)
    : QAbstractHttpServer(parent), m_state(std::move(state)), m_hosts(std::move(hosts))
{
    setObjectName(u"DisplayHttpServer"_s);
    quietRefusedUpgrades();
}

void DisplayHttpServer::quietRefusedUpgrades()
{
    static std::once_flag installed;
    std::call_once(installed, [] { previousHandler = qInstallMessageHandler(quietHandler); });
}

int DisplayHttpServer::refusal(const QHttpServerRequest& request)
{
    switch (m_hosts.check(request.value("host"))) {
    case RoomHosts::Verdict::Missing:
        return int(Status::BadRequest);
    case RoomHosts::Verdict::Elsewhere:
        return int(Status::MisdirectedRequest);
    case RoomHosts::Verdict::Ours:
        break;
    }
    if (isUpgrade(request) && !RoomHosts::originAllowed(request.value("origin"), request.value("host")))
        return int(Status::Forbidden);
    return 0;
}

// Returning true for an upgrade at /live, without writing, hands the socket to the WebSocket side; any other
// upgrade is refused by the base class, which then calls missingHandler().
bool DisplayHttpServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    const bool upgrade = isUpgrade(request);
    if (refusal(request) != 0) {
        if (upgrade)
            return false; // refused in missingHandler(): returning true would hand the socket over
        missingHandler(request, socket);
        return true;
    }
    const QString path = request.url().path();
    const bool get = request.method() == QHttpServerRequest::Method::Get;
    if (path == QLatin1StringView(LivePath)) {
        if (get && upgrade) {
            if (HttpConnection* connection = HttpConnection::of(socket))
                connection->upgraded();
            return true;
        }
        if (!get)
            respondText(makeResponder(request, socket), Status::MethodNotAllowed, "Only GET is allowed.", "GET");
        else
            respondText(makeResponder(request, socket), Status::UpgradeRequired,
                        "This address is a WebSocket: open the page at / instead.");
        answered(socket);
        return true;
    }
    if (upgrade)
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
        answered(socket);
        return true;
    }
    if (state)
        respond(makeResponder(request, socket), Status::Ok, m_state(), "application/json");
    else
        respond(makeResponder(request, socket), Status::Ok, resourceBody(resource->file), resource->mimeType);
    answered(socket);
    return true;
}

void DisplayHttpServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket)
{
    switch (refusal(request)) {
    case int(Status::BadRequest):
        respondText(makeResponder(request, socket), Status::BadRequest, "A request needs a Host.");
        break;
    case int(Status::MisdirectedRequest):
        respondText(makeResponder(request, socket), Status::MisdirectedRequest, "Not this machine.");
        break;
    case int(Status::Forbidden):
        respondText(makeResponder(request, socket), Status::Forbidden, "Only this room display's own page.");
        break;
    default:
        respondText(makeResponder(request, socket), Status::NotFound, "Not found.");
    }
    answered(socket);
}
