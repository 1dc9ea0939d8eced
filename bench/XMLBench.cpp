// The XML layer side by side with pugixml and libxml2 on the bytes of the
// largest layout: reading bytes to a tree and writing the tree back.
#include "BenchInputs.h"

#include "xml/ECXMLParser.h"

#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <pugixml.hpp>
#include <string>

namespace {

const QByteArray &Input()
{
    return TBenchInputs::Get().LargestXML();
}

void XMLRead_Ravlin(benchmark::State &state)
{
    const QByteArray &input = Input();
    for (auto _ : state) {
        TECXMLParser parser;
        parser.LoadFromBytes(input);
        benchmark::DoNotOptimize(parser.Root().Count());
    }
    state.SetBytesProcessed(state.iterations() * input.size());
}
BENCHMARK(XMLRead_Ravlin)->Unit(benchmark::kMillisecond);

// pugixml reads the Windows-1251 bytes as Latin-1 (both one byte a character).
void XMLRead_Pugixml(benchmark::State &state)
{
    const QByteArray &input = Input();
    for (auto _ : state) {
        pugi::xml_document document;
        const pugi::xml_parse_result result =
            document.load_buffer(input.constData(), size_t(input.size()), pugi::parse_default, pugi::encoding_latin1);
        if (!result)
            state.SkipWithError(result.description());
        benchmark::DoNotOptimize(document.first_child());
    }
    state.SetBytesProcessed(state.iterations() * input.size());
}
BENCHMARK(XMLRead_Pugixml)->Unit(benchmark::kMillisecond);

// libxml2 refuses the declared ISO8859-1 (F7h is no name character there), so
// it is given the bytes' real encoding.
void XMLRead_Libxml2(benchmark::State &state)
{
    const QByteArray &input = Input();
    for (auto _ : state) {
        xmlDocPtr document = xmlReadMemory(input.constData(), int(input.size()), nullptr, "WINDOWS-1251", 0);
        if (!document)
            state.SkipWithError("libxml2 refused the document");
        xmlFreeDoc(document);
    }
    state.SetBytesProcessed(state.iterations() * input.size());
}
BENCHMARK(XMLRead_Libxml2)->Unit(benchmark::kMillisecond);

void XMLWrite_Ravlin(benchmark::State &state)
{
    TECXMLParser parser;
    parser.LoadFromBytes(Input());
    qsizetype size = 0;
    for (auto _ : state) {
        const QByteArray output = parser.SaveToBytes();
        size = output.size();
        benchmark::DoNotOptimize(output.constData());
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(XMLWrite_Ravlin)->Unit(benchmark::kMillisecond);

struct TStringWriter : pugi::xml_writer {
    std::string Text;
    void write(const void *data, size_t size) override { Text.append(static_cast<const char *>(data), size); }
};

void XMLWrite_Pugixml(benchmark::State &state)
{
    const QByteArray &input = Input();
    pugi::xml_document document;
    document.load_buffer(input.constData(), size_t(input.size()), pugi::parse_default, pugi::encoding_latin1);
    size_t size = 0;
    for (auto _ : state) {
        TStringWriter writer;
        document.save(writer, "  ", pugi::format_default, pugi::encoding_latin1);
        size = writer.Text.size();
        benchmark::DoNotOptimize(writer.Text.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations() * size));
}
BENCHMARK(XMLWrite_Pugixml)->Unit(benchmark::kMillisecond);

} // namespace
