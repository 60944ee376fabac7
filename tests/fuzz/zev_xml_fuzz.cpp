// Feeds the order and customer viewers mutated and generated XML: no input may crash, run over the time
// limit or push the resident memory over the bound. A hang or memory failure saves its input as
// zev-xml-fuzz-<why>.xml; a crash is replayed with the same seed.
#include "database/DemoData.h"
#include "store/viewers/XmlOutline.h"
#include "store/viewers/frmLogDetail.h"
#include "store/viewers/frmOrderDetail.h"
#include "widgets/MsgBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <thread>
#include <unistd.h>

namespace {

std::string g_input; // the input under test, for the hang report
std::atomic<qint64> g_started{0};

void Save(const char* why) {
    std::ofstream(std::string("zev-xml-fuzz-") + why + ".xml", std::ios::binary) << g_input;
}

qint64 NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

long RssMb() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE) / (1024 * 1024);
}

class Silent : public MessageService {
public:
    int32_t Show(const QString&, int32_t, const QString&) override { return MsgBoxResult::OK; }
};

std::vector<std::string> DemoSeeds(const std::shared_ptr<DBConnection>& db) {
    std::vector<std::string> seeds;
    for (const char* sql : {"SELECT shopping_cart_data AS x FROM zev_shopping_cart",
                            "SELECT customer_data AS x FROM zev_customer_log",
                            "SELECT old_customer_data AS x FROM zev_customer_log"})
        for (auto rows = db->OpenRecordset(QString::fromLatin1(sql), 0); !rows->Eof(); rows->MoveNext())
            if (const QString xml = rows->Fields(QStringLiteral("x"))->Value().toText(); !xml.isEmpty())
                seeds.push_back(xml.toStdString());
    return seeds;
}

// Documents the mutator would hardly find: deep nesting, huge attributes, entities, odd encodings.
std::string Generated(std::mt19937_64& rng) {
    const auto n = [&](size_t most) { return size_t(rng() % most) + 1; };
    auto repeat = [](const std::string& s, size_t times) {
        std::string out;
        for (size_t i = 0; i < times; ++i)
            out += s;
        return out;
    };
    switch (rng() % 8) {
    case 0: {
        const size_t d = n(400);
        return repeat("<a x='1'>", d) + "t" + repeat("</a>", d);
    }
    case 1:
        return "<cart CARD_NO='" + std::string(n(1 << 18), '4') + "'/>";
    case 2:
        return "<c" + repeat(" a=''", n(1500)) + "/>";
    case 3:
        return "<?xml version='1.0'?><!DOCTYPE l [<!ENTITY a 'lol'><!ENTITY b '&a;&a;&a;&a;&a;&a;'>"
               "<!ENTITY c '&b;&b;&b;&b;&b;&b;'>]><l>&c;&c;&c;</l>";
    case 4:
        return "<!DOCTYPE c [<!ENTITY x SYSTEM 'file:///etc/passwd'>]><c>&x;&amp;&#x41;&#0;&#xD800;</c>";
    case 5:
        return "<c>\xff\xfe\xc3\x28\xed\xa0\x80\xf0\x9f\x98\x80</c>";
    case 6:
        return "<c>" + repeat("<i n='1'><p>2</p><q/></i>", n(2000)) + "</c>";
    default:
        return "<?xml version='1.0' encoding='" + std::string(rng() % 2 ? "UTF-16" : "latin1") +
               "'?><c>\xe9</c>";
    }
}

std::string Mutated(const std::vector<std::string>& corpus, std::mt19937_64& rng) {
    std::string s = corpus[rng() % corpus.size()];
    const int steps = 1 + int(rng() % 3);
    for (int i = 0; i < steps && !s.empty(); ++i) {
        const size_t at = rng() % s.size();
        switch (rng() % 6) {
        case 0:
            s[at] = char(rng());
            break; // byte flip
        case 1:
            s.resize(at);
            break; // truncation
        case 2:
            s.erase(at, rng() % 16);
            break;
        case 3:
            s.insert(at, 1, "<>&;'\"/=!?[]\0"[rng() % 13]);
            break;
        case 4: {
            const std::string& o = corpus[rng() % corpus.size()]; // splice
            const size_t from = rng() % (o.size() + 1);
            s.insert(at, o.substr(from, rng() % 256));
            break;
        }
        default:
            if (s.size() < (1 << 20))
                s.insert(at, s.substr(at, rng() % 64));
            break;
        }
    }
    return s;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    long runs = 10000, limitMs = 1000, maxRssMb = 1024;
#ifdef __SANITIZE_ADDRESS__
    // The sanitizers slow every input down and keep freed memory in quarantine.
    limitMs *= 5;
    maxRssMb *= 2;
#endif
    unsigned long long seed = std::random_device{}();
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        const long long value = std::atoll(argv[i + 1]);
        if (flag == "--runs")
            runs = long(value);
        else if (flag == "--seed")
            seed = value;
        else if (flag == "--max-rss-mb")
            maxRssMb = long(value);
        else if (flag == "--timeout-ms")
            limitMs = long(value);
    }
    SetMessageService(std::make_shared<Silent>());
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {}); // font warnings

    QTemporaryDir dir;
    const auto db =
        DemoData::CreateDemoDatabase(dir.filePath(QStringLiteral("fuzz.db")), QStringLiteral("fuzz"));
    std::vector<std::string> corpus = DemoSeeds(db);
    std::printf("zev_xml_fuzz: seed %llu, %zu demo documents, %ld runs\n", seed, corpus.size(), runs);
    std::mt19937_64 rng(seed);

    std::thread([limitMs] {
        for (;;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            const qint64 started = g_started.load();
            if (started && NowMs() - started > limitMs) {
                Save("hang");
                std::fflush(stdout);
                std::fprintf(stderr, "input ran over %ld ms: saved as zev-xml-fuzz-hang.xml\n", limitMs);
                std::_Exit(2);
            }
        }
    }).detach();

    frmLogDetail log;
    frmOrderDetail order;
    XmlOutline outline;
    QElapsedTimer timer;
    timer.start();
    long shown = 0;
    for (long run = 0; run < runs; ++run) {
        g_input = rng() % 10 == 0 ? Generated(rng) : Mutated(corpus, rng);
        const QString xml = QString::fromUtf8(g_input.data(), qsizetype(g_input.size()));
        g_started = NowMs();
        const bool ok = outline.load(xml, true);
        // Filling the grids costs more than parsing: every fourth input goes through a viewer.
        if (run % 4 == 0)
            log.Setup(double(run), xml, ok ? QString() : xml.left(200));
        if (run % 32 == 1)
            order.Setup(db, nullptr, 1, 100001, xml, false);
        g_started = 0;
        shown += ok;
        // Documents that parse are good parents for more mutations.
        if (ok && corpus.size() < 512 && g_input.size() < 4096)
            corpus.push_back(g_input);
        if (const long rss = RssMb(); rss > maxRssMb) {
            Save("memory");
            std::fprintf(stderr, "resident memory %ld MB over %ld MB: saved as zev-xml-fuzz-memory.xml\n",
                         rss, maxRssMb);
            return 3;
        }
    }
    const double seconds = double(timer.elapsed()) / 1000.0;
    std::printf("%ld inputs (%ld shown, %ld refused) in %.1f s: %.0f inputs/s, resident %ld MB\n", runs,
                shown, runs - shown, seconds, double(runs) / std::max(seconds, 0.001), RssMb());
    return 0;
}
