// SPDX-License-Identifier: GPL-3.0-or-later
#include "html_document.h"

#include "map_text_input.h"

#include <gumbo.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// The elements the readers use, as a flat stream of records; gumbo's tree
// is read into this form in whichever process parsed the page, and the
// document is made from it in the editor's:
//   'M' name                  a map element opens
//   'E'                       the innermost open map closes
//   'A' shape coords startTag an area element
//   'I' usemap src ismap      an img element; ismap is the byte 0 or 1
// Each text is a 32-bit length and its UTF-8 bytes. The records are read as
// they arrive, so that no more than one of them is ever held as bytes.
class ElementRecords {
public:
    // Takes the next bytes of the stream; false when they are not records.
    bool feed(QByteArrayView bytes);
    // The document, once the stream has ended; nothing when it ended inside
    // a record or with a map still open.
    std::optional<HtmlDocument> finish();

private:
    // Reads the record at the front of the bytes into the document: its
    // size, 0 when it is not complete yet (m_partialNeeds then says how far
    // it reaches, when that is known), -1 when it is not a record.
    qsizetype readRecord(QByteArrayView bytes);

    HtmlDocument m_doc;
    std::vector<std::size_t> m_openMaps;
    QByteArray m_partial; // the start of a record still to be completed
    qsizetype m_partialNeeds = 0;
    bool m_broken = false;
};

namespace {

class RecordSink {
public:
    virtual ~RecordSink() = default;
    virtual void write(const char *data, std::size_t size) = 0;

    void byte(char c) { write(&c, 1); }
    void length(std::size_t size)
    {
        const auto value = quint32(size);
        write(reinterpret_cast<const char *>(&value), sizeof value);
    }
    void text(QByteArrayView text)
    {
        length(std::size_t(text.size()));
        write(text.data(), std::size_t(text.size()));
    }
};

class BufferSink : public RecordSink {
public:
    QByteArray bytes;
    void write(const char *data, std::size_t size) override { bytes.append(data, qsizetype(size)); }
};

QByteArrayView piece(const GumboStringPiece &text)
{
    return QByteArrayView(text.data, qsizetype(text.length));
}

QByteArrayView attributeValue(const GumboElement &element, const char *name)
{
    const GumboAttribute *attribute = gumbo_get_attribute(&element.attributes, name);
    return attribute ? QByteArrayView(attribute->value) : QByteArrayView();
}

QByteArrayView tagNameAsWritten(const GumboElement &element)
{
    const QByteArrayView tag = piece(element.original_tag);
    qsizetype end = 1;
    while (end < tag.size() && !QByteArrayView(" \t\n\f\r/>").contains(tag[end]))
        ++end;
    if (tag.isEmpty() || end == 1)
        return QByteArrayView(gumbo_normalized_tagname(element.tag));
    return tag.sliced(1, end - 1);
}

// Without a value gumbo points the value's text at the name.
bool hasValue(const GumboAttribute &attribute)
{
    return attribute.original_value.length > 0 && attribute.original_value.data != attribute.original_name.data;
}

// "<", the tag name as written, then " name" or " name=value" per attribute
// exactly as written, then ">".
void writeStartTag(RecordSink &sink, const GumboElement &element)
{
    const QByteArrayView name = tagNameAsWritten(element);
    std::size_t size = 2 + std::size_t(name.size());
    for (unsigned i = 0; i < element.attributes.length; ++i) {
        const auto &attribute = *static_cast<const GumboAttribute *>(element.attributes.data[i]);
        size += 1 + attribute.original_name.length;
        if (hasValue(attribute))
            size += 1 + attribute.original_value.length;
    }
    sink.length(size);
    sink.byte('<');
    sink.write(name.data(), std::size_t(name.size()));
    for (unsigned i = 0; i < element.attributes.length; ++i) {
        const auto &attribute = *static_cast<const GumboAttribute *>(element.attributes.data[i]);
        sink.byte(' ');
        sink.write(attribute.original_name.data, attribute.original_name.length);
        if (hasValue(attribute)) {
            sink.byte('=');
            sink.write(attribute.original_value.data, attribute.original_value.length);
        }
    }
    sink.byte('>');
}

// Walks the tree in document order with a stack of its own, so no nesting
// depth can exhaust the call stack.
void writeElements(RecordSink &sink, const GumboNode *document)
{
    struct Frame {
        const GumboVector *children;
        unsigned next;
        bool map;
    };
    std::vector<Frame> stack{{&document->v.document.children, 0, false}};
    while (!stack.empty()) {
        Frame &frame = stack.back();
        if (frame.next >= frame.children->length) {
            if (frame.map)
                sink.byte('E');
            stack.pop_back();
            continue;
        }
        const auto *node = static_cast<const GumboNode *>(frame.children->data[frame.next++]);
        // Text and comments hold no elements; a template's content is not
        // part of the page.
        if (node->type != GUMBO_NODE_ELEMENT)
            continue;
        const GumboElement &element = node->v.element;
        const bool html = element.tag_namespace == GUMBO_NAMESPACE_HTML;
        if (html && element.tag == GUMBO_TAG_MAP) {
            sink.byte('M');
            sink.text(attributeValue(element, "name"));
        } else if (html && element.tag == GUMBO_TAG_AREA) {
            sink.byte('A');
            sink.text(attributeValue(element, "shape"));
            sink.text(attributeValue(element, "coords"));
            writeStartTag(sink, element);
        } else if (html && element.tag == GUMBO_TAG_IMG) {
            sink.byte('I');
            sink.text(attributeValue(element, "usemap"));
            sink.text(attributeValue(element, "src"));
            sink.byte(gumbo_get_attribute(&element.attributes, "ismap") ? 1 : 0);
        }
        stack.push_back({&element.children, 0, html && element.tag == GUMBO_TAG_MAP});
    }
}

} // namespace

qsizetype ElementRecords::readRecord(QByteArrayView bytes)
{
    m_partialNeeds = 0;
    qsizetype at = 1;
    // The texts of the record, checked complete before anything is made.
    std::array<QByteArrayView, 3> texts;
    const auto take = [&](std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            quint32 size = 0;
            if (bytes.size() - at < qsizetype(sizeof size))
                return false;
            std::memcpy(&size, bytes.data() + at, sizeof size);
            at += qsizetype(sizeof size);
            if (bytes.size() - at < qsizetype(size)) {
                m_partialNeeds = at + qsizetype(size);
                return false;
            }
            texts[i] = bytes.sliced(at, qsizetype(size));
            at += qsizetype(size);
        }
        return true;
    };
    switch (bytes[0]) {
    case 'M': {
        if (!take(1))
            return 0;
        m_openMaps.push_back(m_doc.m_maps.size());
        m_doc.m_maps.push_back({utf8Piece(texts[0]), qsizetype(m_doc.m_areas.size()), 0});
        return at;
    }
    case 'E': {
        if (m_openMaps.empty())
            return -1;
        HtmlMap &map = m_doc.m_maps[m_openMaps.back()];
        map.areaCount = qsizetype(m_doc.m_areas.size()) - map.firstArea;
        m_openMaps.pop_back();
        return at;
    }
    case 'A':
        if (!take(3))
            return 0;
        m_doc.m_areas.push_back({utf8Piece(texts[0]), utf8Piece(texts[1]), utf8Piece(texts[2])});
        return at;
    case 'I':
        if (!take(2) || at >= bytes.size())
            return 0;
        m_doc.m_imgs.push_back({utf8Piece(texts[0]), utf8Piece(texts[1]), bytes[at] != 0});
        return at + 1;
    default:
        return -1;
    }
}

bool ElementRecords::feed(QByteArrayView bytes)
{
    // A record begun in an earlier piece is completed first, from as few
    // bytes of this one as are needed.
    while (!m_partial.isEmpty() && !bytes.isEmpty() && !m_broken) {
        const qsizetype had = m_partial.size();
        m_partial.append(bytes.first(std::min<qsizetype>(bytes.size(), std::max<qsizetype>(had, 1 << 16))));
        const qsizetype size = readRecord(m_partial);
        if (size < 0)
            m_broken = true;
        // A long text is gathered in one piece of memory.
        if (size == 0 && m_partialNeeds > m_partial.capacity())
            m_partial.reserve(m_partialNeeds);
        const qsizetype used = (size > 0 ? size : m_partial.size()) - had;
        bytes = bytes.sliced(used);
        if (size > 0)
            m_partial.clear();
    }
    while (!bytes.isEmpty() && !m_broken) {
        const qsizetype size = readRecord(bytes);
        if (size < 0)
            m_broken = true;
        if (size <= 0)
            break;
        bytes = bytes.sliced(size);
    }
    if (!m_broken)
        m_partial.append(bytes);
    return !m_broken;
}

std::optional<HtmlDocument> ElementRecords::finish()
{
    if (m_broken || !m_partial.isEmpty() || !m_openMaps.empty())
        return std::nullopt;
    return std::move(m_doc);
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
    BufferSink sink;
    writeElements(sink, output->document);
    gumbo_destroy_output(&options, output);
    ElementRecords records;
    records.feed(sink.bytes);
    return records.finish().value_or(HtmlDocument());
}

// Gumbo cannot be stopped, and some broken pages make its work grow with the
// square of their size (text under thousands of open elements, a tag with
// thousands of attributes). So a page is parsed in a child process that
// only parses and hands back what was collected. The system holds the child
// to its CPU time and memory, and ends it when it passes either; a child
// that fails in any way leaves the editor untouched.
enum ChildStatus : int { ChildDone = 0, ChildOverBudget = 3, ChildWriteFailed = 4 };

// The child's memory for gumbo: fresh pages of its own, mapped in large
// chunks, so that the child never writes to pages it shares with the
// editor (each such write would copy the page). The system refuses pages
// past the child's memory limit. Small blocks are recycled by size; large
// ones are mapped singly.
class ChildArena {
public:
    static void *allocate(void *userdata, std::size_t size) { return static_cast<ChildArena *>(userdata)->take(size); }
    static void deallocate(void *userdata, void *pointer)
    {
        if (pointer)
            static_cast<ChildArena *>(userdata)->give(static_cast<char *>(pointer) - Header);
    }

private:
    static constexpr std::size_t Header = 16; // holds the size; keeps blocks aligned for any type
    static constexpr std::size_t Step = 16;
    static constexpr std::size_t SmallClasses = 64; // blocks up to 1 KB
    static constexpr std::size_t Chunk = std::size_t(4) << 20;

    static char *map(std::size_t size)
    {
        void *pages = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
        if (pages == MAP_FAILED)
            _exit(ChildOverBudget);
        return static_cast<char *>(pages);
    }

    void *take(std::size_t size)
    {
        const std::size_t steps = std::max<std::size_t>(1, (size + Step - 1) / Step);
        char *block = nullptr;
        if (steps > SmallClasses) {
            block = map(Header + size);
        } else if (m_free[steps]) {
            block = m_free[steps];
            std::memcpy(&m_free[steps], block + Header, sizeof(char *));
        } else {
            const std::size_t need = Header + steps * Step;
            if (std::size_t(m_end - m_next) < need) {
                m_next = map(Chunk);
                m_end = m_next + Chunk;
            }
            block = m_next;
            m_next += need;
        }
        std::memcpy(block, &size, sizeof size);
        return block + Header;
    }

    void give(char *block)
    {
        std::size_t size = 0;
        std::memcpy(&size, block, sizeof size);
        const std::size_t steps = std::max<std::size_t>(1, (size + Step - 1) / Step);
        if (steps > SmallClasses) {
            ::munmap(block, Header + size);
            return;
        }
        std::memcpy(block + Header, &m_free[steps], sizeof(char *));
        m_free[steps] = block;
    }

    char *m_next = nullptr;
    char *m_end = nullptr;
    std::array<char *, SmallClasses + 1> m_free{};
};

// Sends the records down the pipe through a buffer that the child alone
// touches; a write that fails ends the child.
class PipeSink : public RecordSink {
public:
    explicit PipeSink(int fd) : m_fd(fd) {}

    void write(const char *data, std::size_t size) override
    {
        while (size > 0) {
            if (m_used == sizeof s_buffer)
                flush();
            const std::size_t part = std::min(size, sizeof s_buffer - m_used);
            std::memcpy(s_buffer + m_used, data, part);
            m_used += part;
            data += part;
            size -= part;
        }
    }

    void flush()
    {
        for (std::size_t done = 0; done < m_used;) {
            const ssize_t written = ::write(m_fd, s_buffer + done, m_used - done);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                _exit(ChildWriteFailed);
            done += std::size_t(written);
        }
        m_used = 0;
    }

private:
    static inline char s_buffer[1 << 18];
    int m_fd;
    std::size_t m_used = 0;
};

// The memory the process holds in private writable mappings, which is
// what the system's data limit counts; nothing when it cannot be read. Only
// calls that are safe in a child forked from a process with threads.
std::optional<std::size_t> privateMemory()
{
    static char status[8192];
    const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::size_t have = 0;
    while (have < sizeof status - 1) {
        const ssize_t got = ::read(fd, status + have, sizeof status - 1 - have);
        if (got <= 0)
            break;
        have += std::size_t(got);
    }
    ::close(fd);
    status[have] = 0;
    const char *line = std::strstr(status, "\nVmData:");
    if (!line)
        return std::nullopt;
    std::size_t kilobytes = 0;
    for (const char *c = line + 8; *c && *c != '\n'; ++c)
        if (*c >= '0' && *c <= '9')
            kilobytes = kilobytes * 10 + std::size_t(*c - '0');
    return kilobytes * 1024;
}

// Soft and hard limit alike: at the CPU limit the system kills the child
// outright instead of warning it first.
void limit(int resource, rlim_t value)
{
    const rlimit both{value, value};
    ::setrlimit(resource, &both);
}

[[noreturn]] void runChild(int fd, const QByteArray &utf8, const HtmlParseOptions &options, rlim_t cpuSeconds)
{
    // A child that is killed or crashes leaves no core file behind.
    limit(RLIMIT_CORE, 0);
    limit(RLIMIT_CPU, cpuSeconds);
    // Without /proc the memory goes unlimited; the CPU limit still holds.
    if (const std::optional<std::size_t> held = privateMemory())
        limit(RLIMIT_DATA, rlim_t(*held + std::size_t(options.memoryBytes)));
    ChildArena arena;
    GumboOptions gumbo = gumboOptions();
    gumbo.allocator = ChildArena::allocate;
    gumbo.deallocator = ChildArena::deallocate;
    gumbo.userdata = &arena;
    // The child ends with _exit: the tree is never freed, and nothing the
    // parent set up runs again here.
    GumboOutput *output = gumbo_parse_with_options(&gumbo, utf8.constData(), std::size_t(utf8.size()));
    PipeSink sink(fd);
    writeElements(sink, output->document);
    sink.flush();
    _exit(ChildDone);
}

void endChild(pid_t child, bool kill)
{
    if (kill)
        ::kill(child, SIGKILL);
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// The document made of what the child sent, or nothing when the child
// failed, sent too much or something other than records, or was still not
// done at the deadline. The pipe is read without blocking, so the deadline
// holds however the child behaves.
std::optional<HtmlDocument> receiveFromChild(pid_t child, int fd, std::chrono::steady_clock::time_point deadline,
                                             qsizetype maxBytes)
{
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ElementRecords records;
    std::vector<char> buffer(std::size_t(1) << 18);
    qsizetype have = 0;
    for (bool open = true; open;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd ready{fd, POLLIN, 0};
        if (left.count() <= 0 || (::poll(&ready, 1, int(std::min<qint64>(left.count(), 1000))) < 0 && errno != EINTR)) {
            endChild(child, true);
            return std::nullopt;
        }
        for (;;) {
            const ssize_t got = ::read(fd, buffer.data(), buffer.size());
            if (got > 0) {
                have += got;
                if (have > maxBytes || !records.feed(QByteArrayView(buffer.data(), got))) {
                    endChild(child, true);
                    return std::nullopt;
                }
                continue;
            }
            if (got < 0 && errno != EAGAIN && errno != EINTR) {
                endChild(child, true);
                return std::nullopt;
            }
            open = got != 0;
            break;
        }
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return std::nullopt;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != ChildDone)
        return std::nullopt;
    return records.finish();
}

std::optional<HtmlDocument> parseInChild(const QByteArray &utf8, const HtmlParseOptions &options)
{
    const qint64 counted = std::min<qint64>(utf8.size(), MaxMapFileBytes);
    const auto cpuSeconds = rlim_t(options.cpuTime.count() + counted / options.bytesPerCpuSecond);
    const auto deadline = std::chrono::steady_clock::now() + options.wallClockLimit;
    // Close-on-exec: a program the editor starts meanwhile must not hold
    // the pipe open.
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return parseHere(utf8);
    // A larger pipe means fewer turns between the two processes.
    ::fcntl(pipeEnds[1], F_SETPIPE_SZ, 1 << 20);
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        // No child to be had: parse here, without the limits.
        return parseHere(utf8);
    }
    if (child == 0) {
        ::close(pipeEnds[0]);
        runChild(pipeEnds[1], utf8, options, cpuSeconds);
    }
    ::close(pipeEnds[1]);
    // The records hold parts of the page, a few times over at most.
    const qsizetype maxBytes = 8 * utf8.size() + (1 << 20);
    std::optional<HtmlDocument> doc = receiveFromChild(child, pipeEnds[0], deadline, maxBytes);
    ::close(pipeEnds[0]);
    return doc;
}

} // namespace

namespace {

const GumboNode *firstElement(const GumboNode &node, GumboTag tag)
{
    if (node.type != GUMBO_NODE_ELEMENT && node.type != GUMBO_NODE_DOCUMENT)
        return nullptr;
    if (node.type == GUMBO_NODE_ELEMENT && node.v.element.tag == tag)
        return &node;
    const GumboVector &children = node.type == GUMBO_NODE_DOCUMENT ? node.v.document.children : node.v.element.children;
    for (unsigned int i = 0; i < children.length; ++i)
        if (const GumboNode *found = firstElement(*static_cast<const GumboNode *>(children.data[i]), tag))
            return found;
    return nullptr;
}

} // namespace

QString attributeValueAsRead(const QString &text)
{
    // Only these characters read as something else; most texts have none.
    if (!text.contains(u'&') && !text.contains(u'"') && !text.contains(u'\r') && !text.contains(QChar(0)))
        return text;
    // One attribute in one element: the parse is linear in the text's size.
    const QByteArray utf8 = "<a title=\"" + text.toUtf8() + "\">";
    const GumboOptions options = gumboOptions();
    GumboOutput *output = gumbo_parse_with_options(&options, utf8.constData(), std::size_t(utf8.size()));
    QString value;
    if (const GumboNode *element = firstElement(*output->document, GUMBO_TAG_A))
        value = QString::fromUtf8(attributeValue(element->v.element, "title"));
    gumbo_destroy_output(&options, output);
    return value;
}

std::optional<HtmlDocument> HtmlDocument::parse(QString text, const HtmlParseOptions &options)
{
    const QByteArray utf8 = text.toUtf8();
    text = QString();
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
