// Simulate Uno
// A small web server: answers each request with a page holding the first analog input.
#include <SPI.h>
#include <Ethernet.h>

byte mac[] = {0xDE, 0xAD, 0xBE, 0xEF, 0xFE, 0xED};
IPAddress ip(192, 168, 1, 177);
EthernetServer server(80);

void setup() {
  Serial.begin(9600);
  Ethernet.begin(mac, ip);
  server.begin();
}

void loop() {
  EthernetClient client = server.available();
  if (client) {
    boolean blankLine = true;
    while (client.connected()) {
      if (client.available()) {
        char c = client.read();
        if (c == 13 && blankLine) {
          client.println("HTTP/1.1 200 OK");
          client.println("Content-Type: text/html");
          client.println();
          client.print("A0 is ");
          client.println(analogRead(0));
          break;
        }
        if (c == 13) {
          blankLine = true;
        } else {
          blankLine = false;
        }
      }
    }
    client.stop();
  }
}
