// Simulate Uno
// A client declared once at the top and assigned in loop(): the assignment runs as the form
// with the declaration inside loop() does, and the client answers the request typed in.
#include <SPI.h>
#include <Ethernet.h>

byte mac[] = {0xDE, 0xAD, 0xBE, 0xEF, 0xFE, 0xED};
IPAddress ip(192, 168, 1, 177);
EthernetServer server(80);
EthernetClient client;
int requests = 0;

void setup() {
  Ethernet.begin(mac, ip);
  server.begin();
}

void loop() {
  client = server.available();
  if (client) {
    while (client.available()) {
      char c = client.read();
      if (c == 13) {
        client.println("HTTP/1.1 200 OK");
        client.println(c == 13);
        requests++;
      }
    }
    client.stop();
  }
}
