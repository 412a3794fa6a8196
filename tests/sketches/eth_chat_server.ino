// Simulate Uno
// A chat server: greets a new client, then passes what it types to everyone and to the serial port.
#include <SPI.h>
#include <Ethernet.h>

byte mac[] = {0xDE, 0xAD, 0xBE, 0xEF, 0xFE, 0xED};
IPAddress ip(10, 0, 0, 20);
EthernetServer server(23);
boolean greeted = false;

void setup() {
  Serial.begin(9600);
  Ethernet.begin(mac, ip);
  server.begin();
}

void loop() {
  EthernetClient client = server.available();
  if (client) {
    if (!greeted) {
      server.print("> ");
      greeted = true;
    }
    if (client.available() > 0) {
      char c = client.read();
      server.write(c);
      Serial.write(c);
    }
  }
}
