// A busy LCD: 100,000 prints through the statement executor, then 100,000 scrollDisplayLeft.
// Prints the mean time of the first and of the last 10,000 of each and the peak memory growth;
// exits 1 when the display's items are wrong afterwards. Run it from a Release build; the test
// suite only checks the items.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/measure.h"
#include "interpreter/interpreter.h"

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (count < 10) return 2;
    quorvex::NullHost host;
    quorvex::FixedClock clock{{2024, 5, 6, 13, 4, 5}};
    quorvex::Interpreter in{host, clock};
    in.evaluate_expression("LiquidCrystal lcd(12, 11, 5, 4, 3, 2);");
    in.evaluate_expression("lcd.begin(16, 2);");
    const quorvex::OutputList& list = in.panels[4].ListBox;
    const long rss_before = bench::peak_rss_kib();

    // Five characters a print: the cursor wraps every 13 prints and the rows keep growing.
    const bench::Timing prints = bench::run(in, count, [](int) { return std::string("lcd.print(\"abcde\");"); });
    const bool prints_ok = list.Count() == 4 && list.item(0).size() == 16 && in.lcd.lcdd[0].size() <= 256;
    const bench::Timing scrolls = bench::run(in, count, [](int) { return std::string("lcd.scrollDisplayLeft();"); });
    const bool scrolls_ok =
        list.Count() == 4 && list.item(0).size() == 16 && in.lcd.LCD_Buffer[0].size() == quorvex::Lcd::max_pushed_out;

    const long growth = bench::peak_rss_kib() - rss_before;
    std::printf("print: first %.3f us, last %.3f us per print (%.2fx)\n", prints.first_us, prints.last_us,
                prints.last_us / prints.first_us);
    std::printf("scrollDisplayLeft: first %.3f us, last %.3f us per scroll (%.2fx)\n", scrolls.first_us,
                scrolls.last_us, scrolls.last_us / scrolls.first_us);
    std::printf("peak memory growth: %.1f MiB\n", growth / 1024.0);
    if (!prints_ok || !scrolls_ok) {
        std::printf("wrong display: %d items, item 0 of %zu bytes\n", list.Count(), list.item(0).size());
        return 1;
    }
    return 0;
}
