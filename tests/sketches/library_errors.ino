// Simulate Uno
// Every library message in turn; the statement after each still runs.
int WireCount = 0;
int SPIspeed = 0;
int SDA_PIN = 0;
int clientCount = 0;
int rootCount = 0;
int faded = 0;
int after = 0;

void setup() {
  EEPROM.write(0, 1);
  Firmata.begin(57600);
  Ethernet.begin(mac);
  after++;
#include <EEPROM.h>
#include <Ethernet.h>
#include <Firmata.h>
  Firmata.sendSysex(1);
  EEPROM.write(4097, 1);
  after = EEPROM.read(-1);
  EEPROM.write(1 / 0, 5);
  EEPROM.update(3);
  Ethernet.begin(mac);
  Wire.send(1);
  SPI.setBitOrder(MSBFIRST);
  SPI.transfer((1);
  EthernetServer server(80);
  server.stop();
  EthernetClient client;
  client.flush();
  SD.mkdir("logs");
  Sd2Card card;
  card.erase(0, 1);
  SdVolume volume;
  volume.format();
  SdFile root;
  root.close();
  File f;
  f.print("x");
  File ;
  EthernetServer (80);
  IPAddress wrong(300, -1, 0, 0);
  Sd2Card card, c2;
  File if;
  WireCount = 1;
  SPIspeed = 4;
  SDA_PIN = 4;
  clientCount++;
  rootCount++;
  fadeIn();
  after++;
}

void loop() {
}

void fadeIn() {
  faded = 1;
}
