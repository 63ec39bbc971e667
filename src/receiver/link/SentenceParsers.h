#pragma once

#include <cstddef>

#include "receiver/link/ReceiverStatus.h"

namespace quorrel {

// One parser per sentence type, run on the reader thread. Each takes a whole NUL-terminated
// sentence (CR LF included, `length` without the terminator), applies the checksum rule
// first and returns false, changing nothing, when it fails (ANP still clears its flag).
// Otherwise it stores what it decoded and returns true.

// Status sentences: they write the working position record and satellite table.
// $GPGGA,232712.000,4404.1237962,N,12118.8472460,W,1,05,5.1,1132.560,M,-20.300,M,,0000*58
bool parseGga(ReceiverStatus& status, const char* sentence, std::size_t length);
// $GPGLL,4404.1237962,N,12118.8472460,W,232712.000,A,A*42
bool parseGll(ReceiverStatus& status, const char* sentence, std::size_t length);
// $GNGSA,A,3,02,05,12,15,18,21,24,25,29,31,,,1.4,0.8,1.1
bool parseGsa(ReceiverStatus& status, const char* sentence, std::size_t length);
// $GPGSV,3,1,10,02,45,123,44,05,12,310,31,12,67,042,47,15,03,275,20
bool parseGsv(ReceiverStatus& status, const char* sentence, std::size_t length);
// $GPGST,232713.000,1.3,105.1,9.1,-40.9,0.3,0.3,0.6*78
bool parseGst(ReceiverStatus& status, const char* sentence, std::size_t length);
// $GPVTG,159.2,T,,M,000.5,N,000.9,K,R
bool parseVtg(ReceiverStatus& status, const char* sentence, std::size_t length);
// $GPZDA,232712.00,28,03,2016,00,00
bool parseZda(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,VEC,3,1,2,-1234.567,2345.678,-345.789,0.01,0.01,0.02,0.0,0.0,0.0,14
// Publishes the whole working position record.
bool parseVec(ReceiverStatus& status, const char* sentence, std::size_t length);

// Replies of the receiver's own settings: each stores its slot and sets its flag.
// $PQVXR,PRT,A,8
bool parsePrt(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,NPT,1,0
bool parseNpt(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,BTH,PRT,QVX01
bool parseBth(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,NMO,A,0,1.00,02,GGA,1.00,GSA,1.00
bool parseNmo(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,OBI,123456.000,12.50,00042
bool parseObi(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,SBA,ON
bool parseSba(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,GLO,OFF
bool parseGlo(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,GNS,CFG,2
bool parseGns(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,PEM,10
bool parsePem(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,A2D,1,0
bool parseA2d(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,ANH,1.500,S
bool parseAnh(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,ANR,ARP
bool parseAnr(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,ANP,OWN,ADVNULLANTENNA
bool parseAnp(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,STI,BASE
bool parseSti(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,DRI,1.00
bool parseDri(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,REC,S
bool parseRec(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,ATL,ON,5,REC
bool parseAtl(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,MEM,1
bool parseMem(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,WTI,0012,1
bool parseWti(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,FIL,CUR,LOG0001.DAT,1024
bool parseFil(ReceiverStatus& status, const char* sentence, std::size_t length);
// RECEIVER VERSION: 2.1 / SYS fw: 1.07 / GNSS fw: 3.40 / SERIAL NO: QX12345 (four lines)
bool parseVersion(ReceiverStatus& status, const char* sentence, std::size_t length);

// Replies of the differential links.
// $PQVXR,MDM,0,0,ON,PWR,ON,PIN,1234,PTC,1,APN,internet,LGN,user,PWD,secret
bool parseMdm(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,DIP,RIP,192.0.2.7,PRT,2101,LGN,user,PWD,secret
bool parseDip(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,CPD,MOD,ROV,2 or $PQVXR,CPD,POS,3330.0000000,S,15115.0000000,E,12.500
bool parseCpd(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,RDP,PAR,D,PDL,ON,05,MAN,1,9600,LOW
bool parseRdp(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,NTR,MTP,MNT1 / $PQVXR,NTR,OK / $PQVXR,NTR,TBL + the source table block
bool parseNtr(ReceiverStatus& status, const char* sentence, std::size_t length);
// $PQVXR,BAS,B,RT3,D,CMR
bool parseBas(ReceiverStatus& status, const char* sentence, std::size_t length);

}  // namespace quorrel
