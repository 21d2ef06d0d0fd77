#include "html_document.h"

#include <QDataStream>
#include <QIODevice>

#include <gumbo.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

// Reads the map, area and img elements out of gumbo's tree. The walk keeps
// its own stack, so no nesting depth can exhaust the call stack.
class HtmlTreeCollector {
public:
    static HtmlDocument collect(const GumboNode *document);
    static QByteArray serialize(const HtmlDocument &doc);
    static std::optional<HtmlDocument> deserialize(const QByteArray &bytes);

private:
    static QString attributeValue(const GumboElement &element, const char *name);
    static QString serializedStartTag(const GumboElement &element);
};

namespace {

QByteArrayView tagNameAsWritten(const GumboElement &element)
{
    const QByteArrayView tag(element.original_tag.data, qsizetype(element.original_tag.length));
    qsizetype end = 1;
    while (end < tag.size() && !QByteArrayView(" \t\n\f\r/>").contains(tag[end]))
        ++end;
    if (tag.isEmpty() || end == 1)
        return QByteArrayView(gumbo_normalized_tagname(element.tag));
    return tag.sliced(1, end - 1);
}

} // namespace

QString HtmlTreeCollector::attributeValue(const GumboElement &element, const char *name)
{
    const GumboAttribute *attribute = gumbo_get_attribute(&element.attributes, name);
    return attribute ? QString::fromUtf8(attribute->value) : QString();
}

QString HtmlTreeCollector::serializedStartTag(const GumboElement &element)
{
    QByteArray tag;
    tag += '<';
    tag += tagNameAsWritten(element);
    for (unsigned i = 0; i < element.attributes.length; ++i) {
        const auto *attribute = static_cast<const GumboAttribute *>(element.attributes.data[i]);
        tag += ' ';
        tag.append(attribute->original_name.data, qsizetype(attribute->original_name.length));
        // Without a value gumbo points the value's text at the name.
        if (attribute->original_value.length > 0 && attribute->original_value.data != attribute->original_name.data) {
            tag += '=';
            tag.append(attribute->original_value.data, qsizetype(attribute->original_value.length));
        }
    }
    tag += '>';
    return QString::fromUtf8(tag);
}

HtmlDocument HtmlTreeCollector::collect(const GumboNode *document)
{
    HtmlDocument doc;
    struct Frame {
        const GumboVector *children;
        unsigned next;
        qsizetype map; // index into m_maps while a map element is open
    };
    std::vector<Frame> stack{{&document->v.document.children, 0, -1}};
    while (!stack.empty()) {
        Frame &frame = stack.back();
        if (frame.next >= frame.children->length) {
            if (frame.map >= 0) {
                HtmlMap &map = doc.m_maps[std::size_t(frame.map)];
                map.areaCount = qsizetype(doc.m_areas.size()) - map.firstArea;
            }
            stack.pop_back();
            continue;
        }
        const auto *node = static_cast<const GumboNode *>(frame.children->data[frame.next++]);
        // Text and comments hold no elements; a template's content is not
        // part of the page.
        if (node->type != GUMBO_NODE_ELEMENT)
            continue;
        const GumboElement &element = node->v.element;
        qsizetype openedMap = -1;
        if (element.tag_namespace == GUMBO_NAMESPACE_HTML) {
            switch (element.tag) {
            case GUMBO_TAG_MAP:
                openedMap = qsizetype(doc.m_maps.size());
                doc.m_maps.push_back({attributeValue(element, "name"), qsizetype(doc.m_areas.size()), 0});
                break;
            case GUMBO_TAG_AREA:
                doc.m_areas.push_back(
                    {attributeValue(element, "shape"), attributeValue(element, "coords"), serializedStartTag(element)});
                break;
            case GUMBO_TAG_IMG:
                doc.m_imgs.push_back({attributeValue(element, "usemap"), attributeValue(element, "src"),
                                      gumbo_get_attribute(&element.attributes, "ismap") != nullptr});
                break;
            default:
                break;
            }
        }
        stack.push_back({&element.children, 0, openedMap});
    }
    return doc;
}

QByteArray HtmlTreeCollector::serialize(const HtmlDocument &doc)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint64(doc.m_maps.size());
    for (const HtmlMap &map : doc.m_maps)
        out << map.name << qint64(map.firstArea) << qint64(map.areaCount);
    out << qint64(doc.m_areas.size());
    for (const HtmlArea &area : doc.m_areas)
        out << area.shape << area.coords << area.startTag;
    out << qint64(doc.m_imgs.size());
    for (const HtmlImg &img : doc.m_imgs)
        out << img.useMap << img.src << img.isMap;
    return bytes;
}

std::optional<HtmlDocument> HtmlTreeCollector::deserialize(const QByteArray &bytes)
{
    HtmlDocument doc;
    QDataStream in(bytes);
    // Every element takes at least a few bytes, which bounds the counts
    // before anything is reserved.
    const auto readCount = [&](qint64 &count) {
        in >> count;
        return in.status() == QDataStream::Ok && count >= 0 && count <= bytes.size();
    };
    qint64 count = 0;
    if (!readCount(count))
        return std::nullopt;
    for (qint64 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        HtmlMap map;
        qint64 first = 0;
        qint64 areas = 0;
        in >> map.name >> first >> areas;
        map.firstArea = qsizetype(first);
        map.areaCount = qsizetype(areas);
        doc.m_maps.push_back(std::move(map));
    }
    if (!readCount(count))
        return std::nullopt;
    for (qint64 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        HtmlArea area;
        in >> area.shape >> area.coords >> area.startTag;
        doc.m_areas.push_back(std::move(area));
    }
    if (!readCount(count))
        return std::nullopt;
    for (qint64 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        HtmlImg img;
        in >> img.useMap >> img.src >> img.isMap;
        doc.m_imgs.push_back(std::move(img));
    }
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return std::nullopt;
    for (const HtmlMap &map : doc.m_maps)
        if (map.firstArea < 0 || map.areaCount < 0 || map.firstArea + map.areaCount > qsizetype(doc.m_areas.size()))
            return std::nullopt;
    return doc;
}

namespace {

GumboOptions gumboOptions()
{
    GumboOptions options = kGumboDefaultOptions;
    // Recorded errors are never read, and gumbo copies the open elements
    // into each one, which deep nesting turns into gigabytes.
    options.max_errors = 0;
    return options;
}

HtmlDocument parseHere(const QByteArray &utf8)
{
    const GumboOptions options = gumboOptions();
    GumboOutput *output = gumbo_parse_with_options(&options, utf8.constData(), std::size_t(utf8.size()));
    HtmlDocument doc = HtmlTreeCollector::collect(output->document);
    gumbo_destroy_output(&options, output);
    return doc;
}

// Gumbo cannot be stopped, and some broken pages make its work grow with the
// square of their size (text under thousands of open elements, a tag with
// thousands of attributes). So a page is parsed in a child process that
// only parses and hands back what was collected; the editor waits for it
// with a deadline, and a child that runs late, takes too much memory or
// fails in any way leaves the editor untouched.
enum ChildStatus : int { ChildDone = 0, ChildOverBudget = 3, ChildWriteFailed = 4 };

struct ChildMemory {
    std::size_t live = 0;
    std::size_t limit = 0;
};

constexpr std::size_t BlockHeader = 16; // keeps blocks aligned for any type

void *childAllocate(void *userdata, std::size_t size)
{
    auto *memory = static_cast<ChildMemory *>(userdata);
    memory->live += size;
    auto *block = static_cast<char *>(memory->live > memory->limit ? nullptr : std::malloc(size + BlockHeader));
    if (!block)
        _exit(ChildOverBudget);
    *reinterpret_cast<std::size_t *>(block) = size;
    return block + BlockHeader;
}

void childDeallocate(void *userdata, void *pointer)
{
    if (!pointer)
        return;
    char *block = static_cast<char *>(pointer) - BlockHeader;
    static_cast<ChildMemory *>(userdata)->live -= *reinterpret_cast<std::size_t *>(block);
    std::free(block);
}

bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

[[noreturn]] void runChild(int fd, const QByteArray &utf8, qint64 memoryBytes)
{
    ChildMemory memory{0, std::size_t(memoryBytes)};
    GumboOptions options = gumboOptions();
    options.allocator = childAllocate;
    options.deallocator = childDeallocate;
    options.userdata = &memory;
    // The child ends with _exit: the tree is never freed, and nothing the
    // parent set up runs again here.
    GumboOutput *output = gumbo_parse_with_options(&options, utf8.constData(), std::size_t(utf8.size()));
    const QByteArray bytes = HtmlTreeCollector::serialize(HtmlTreeCollector::collect(output->document));
    _exit(writeAll(fd, bytes) ? ChildDone : ChildWriteFailed);
}

void endChild(pid_t child, bool kill)
{
    if (kill)
        ::kill(child, SIGKILL);
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// What the child sent, or nothing when it failed or missed the deadline.
std::optional<QByteArray> receiveFromChild(pid_t child, int fd, std::chrono::steady_clock::time_point deadline,
                                           qsizetype maxBytes)
{
    QByteArray received;
    char buffer[65536];
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            endChild(child, true);
            return std::nullopt;
        }
        pollfd ready{fd, POLLIN, 0};
        const int polled = ::poll(&ready, 1, int(std::min<qint64>(left.count(), 1000)));
        if (polled < 0 && errno != EINTR) {
            endChild(child, true);
            return std::nullopt;
        }
        if (polled <= 0)
            continue;
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || received.size() + got > maxBytes) {
            endChild(child, true);
            return std::nullopt;
        }
        if (got == 0)
            break;
        received.append(buffer, got);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return std::nullopt;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != ChildDone)
        return std::nullopt;
    return received;
}

std::optional<HtmlDocument> parseInChild(const QByteArray &utf8, const HtmlParseOptions &options)
{
    const auto megabytes = double(utf8.size()) / (1024.0 * 1024.0);
    const auto deadline = std::chrono::steady_clock::now() + options.baseTime
                          + std::chrono::milliseconds(qint64(double(options.timePerMegabyte.count()) * megabytes));
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return parseHere(utf8);
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        // No child to be had: parse here, without the deadline.
        return parseHere(utf8);
    }
    if (child == 0) {
        ::close(pipeEnds[0]);
        runChild(pipeEnds[1], utf8, options.memoryBytes);
    }
    ::close(pipeEnds[1]);
    // The collected texts are parts of the page, a few times over at most.
    const qsizetype maxBytes = 16 * utf8.size() + (1 << 20);
    const std::optional<QByteArray> received = receiveFromChild(child, pipeEnds[0], deadline, maxBytes);
    ::close(pipeEnds[0]);
    if (!received)
        return std::nullopt;
    return HtmlTreeCollector::deserialize(*received);
}

} // namespace

std::optional<HtmlDocument> HtmlDocument::parse(QStringView text, const HtmlParseOptions &options)
{
    const QByteArray utf8 = text.toUtf8();
    if (std::optional<HtmlDocument> written = parseWrittenMap(utf8))
        return written;
    return parseWithGumbo(utf8, options);
}

std::optional<HtmlDocument> HtmlDocument::parseWithGumbo(const QByteArray &utf8, const HtmlParseOptions &options)
{
    if (!options.isolated)
        return parseHere(utf8);
    return parseInChild(utf8, options);
}
