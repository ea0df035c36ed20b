#!/usr/bin/env python3
"""Writes data/prgplus.lst, data/prgadapt.lst, data/prgpic16.lst and data/prgatmel.lst."""
import os, sys

OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'data')

rows = []   # (text line)

def comment(text):
    rows.append('99 ' + text)

def R(cls, alg, size, c4, c5, c6, width, perm, adapter, name,
      slow=0, sdp=0, bblset=0, opt21=0, verify=0, bblread=0, variant=0, sub=0, sig=None):
    assert len(perm) == 9 and set(perm) <= set('01'), name
    assert len(name) <= 15, name
    nums = [cls, alg, size, c4, c5, c6, width] + [int(ch) for ch in perm] + \
           [adapter, slow, sdp, bblset, opt21, verify, bblread, 0, variant, sub]
    assert len(nums) == 26
    widths = [2, 2, 6, 2, 2, 2, 2] + [1] * 9 + [2, 1, 1, 1, 1, 1, 1, 1, 1, 1]
    text = ' '.join(str(v).rjust(w) for v, w in zip(nums, widths))
    line = text + ' ' + name.ljust(15)
    if cls == 6:
        assert sig and len(sig) == 2
        line += sig[0] + ' ' + sig[1]
    rows.append(line)

# Permission strings, columns 8..16:
# write erase compare lock ramtest setvpp read blank readid
UV    = '101001110'   # UV EPROM without an electronic signature
UVID  = '101001111'   # UV EPROM with a signature
EE    = '111001111'   # electrically erasable EPROM
FL    = '111000111'   # flash, EEPROM
MCSE  = '101101110'   # MCS-51 EPROM/OTP
MCSEI = '101101111'
MCSF  = '111100111'   # MCS-51 flash
RAM   = '101010100'
SEE   = '101000110'
PIC   = '111000110'
AVR   = '111100111'

# ---------------------------------------------------------------- class 0
comment('EPROM: class alg size vpp alg vcc width  flags  adapter ...  name')
R(0, 0,    2, 2, 0, 0, 8, UV,   0, '2716', slow=1)
R(0, 0,    2, 2, 0, 0, 8, UV,   0, '573RF2', slow=1)
R(0, 1,    4, 1, 0, 0, 8, UV,   0, '2732A')
R(0, 2,    8, 0, 1, 1, 8, UVID, 1, '2764A')
R(0, 2,    8, 0, 2, 1, 8, UVID, 1, '27C64')
R(0, 2,    8, 1, 0, 0, 8, UV,   1, '573RF4')
R(0, 2,   16, 0, 1, 1, 8, UVID, 1, '27128A')
R(0, 2,   16, 0, 2, 1, 8, UVID, 1, '27C128')
R(0, 3,   32, 0, 1, 1, 8, UVID, 1, '27256')
R(0, 3,   32, 0, 2, 1, 8, UVID, 1, '27C256')
R(0, 6,   64, 0, 1, 1, 8, UVID, 1, '27512')
R(0, 6,   64, 0, 2, 1, 8, UVID, 1, '27C512')
R(0, 7,  128, 0, 2, 1, 8, UVID, 2, '27C010')
R(0, 7,  256, 0, 2, 1, 8, UVID, 2, '27C020')
R(0, 7,  512, 0, 2, 1, 8, UVID, 2, '27C040')
R(0, 8, 1024, 0, 2, 1, 8, UVID, 2, '27C080')
R(0, 4,   32, 0, 2, 0, 8, EE,   1, 'W27C256')
R(0, 4,   64, 0, 2, 0, 8, EE,   1, 'W27C512')
R(0, 4,   64, 0, 2, 0, 8, EE,   1, '27SF512')
R(0, 5,  128, 0, 2, 0, 8, EE,   2, 'W27C010')
R(0, 5,  256, 0, 2, 0, 8, EE,   2, 'W27C020')
R(0, 5,  512, 0, 2, 0, 8, EE,   2, 'W27C040')
R(0, 5,  128, 0, 2, 0, 8, EE,   2, '27SF010')
R(0, 19,  64, 0, 2, 1, 16, UVID, 8, '27C1024')
R(0, 20, 128, 0, 2, 1, 16, UVID, 8, '27C2048')
R(0, 20, 256, 0, 2, 1, 16, UVID, 8, '27C4096')

# ---------------------------------------------------------------- class 1
comment('MCS-51 microcontrollers')
R(1, 18,   4, 1, 0, 0, 8, MCSE,  3, '8751H')
R(1, 18,   4, 0, 2, 0, 8, MCSEI, 3, '8751BH')
R(1, 18,   8, 0, 2, 0, 8, MCSEI, 3, '8752BH')
R(1, 18,   4, 0, 2, 0, 8, MCSEI, 3, '87C51')
R(1, 18,   8, 0, 2, 0, 8, MCSEI, 3, '87C51FA')
R(1, 18,  16, 0, 2, 0, 8, MCSEI, 3, '87C51FB')
R(1, 18,  32, 0, 2, 0, 8, MCSEI, 3, '87C51FC')
R(1, 18,   8, 0, 2, 0, 8, MCSEI, 3, '87C52')
R(1, 18,  16, 0, 2, 0, 8, MCSEI, 3, '87C54')
R(1, 18,  32, 0, 2, 0, 8, MCSEI, 3, '87C58')
R(1, 10,   4, 0, 3, 0, 8, MCSF,  3, 'AT89C51')
R(1, 10,   8, 0, 3, 0, 8, MCSF,  3, 'AT89C52')
R(1, 10,  20, 0, 3, 0, 8, MCSF,  3, 'AT89C55')
R(1, 10,  20, 0, 3, 0, 8, MCSF,  3, 'AT89C55WD', opt21=1)
R(1, 10,  32, 0, 3, 0, 8, MCSF,  3, 'AT89C51RC', opt21=1)
R(1, 10,   1, 0, 3, 0, 8, MCSF,  5, 'AT89C1051')
R(1, 10,   2, 0, 3, 0, 8, MCSF,  5, 'AT89C2051')
R(1, 10,   4, 0, 3, 0, 8, MCSF,  5, 'AT89C4051', sub=1)
R(1, 28,   4, 3, 0, 0, 8, MCSF,  3, 'AT89S51')
R(1, 28,   8, 3, 0, 0, 8, MCSF,  3, 'AT89S52')
R(1, 41,  12, 3, 0, 0, 8, MCSF,  3, 'AT89S53')
R(1, 41,   8, 3, 0, 0, 8, MCSF,  3, 'AT89S8252')
R(1, 44,  32, 0, 3, 0, 8, MCSF,  3, 'P89C58X2', variant=0)
R(1, 44,  64, 0, 3, 0, 8, MCSF,  3, 'P89C60X2', variant=1)
R(1, 32,  64, 0, 3, 0, 8, MCSF,  3, 'W78E516', variant=1)
R(1, 32,  32, 0, 3, 0, 8, MCSF,  3, 'W78E58B', variant=1)
R(1, 32,  64, 3, 3, 0, 8, MCSF,  3, 'MPC89E515', variant=0)
R(1, 59,   4, 0, 3, 0, 8, MCSF,  3, 'W78E51')
R(1, 59,   8, 0, 3, 0, 8, MCSF,  3, 'W78E52')
R(1, 59,  16, 0, 3, 0, 8, MCSF,  3, 'W78E54')
R(1, 59,  32, 0, 3, 0, 8, MCSF,  3, 'W78E58')

# ---------------------------------------------------------------- class 2
comment('Flash, parallel EEPROM, serial and NAND flash')
# 30: parallel EEPROM; cols 4/5/6 = re-write first 64 bytes / large page / (col 19)
R(2, 30,    8, 0, 0, 0, 8, FL, 1, '28C64', variant=1, verify=1)
R(2, 30,    8, 0, 0, 0, 8, FL, 1, '28C64B', sdp=1, verify=1)
R(2, 30,   32, 0, 0, 0, 8, FL, 1, '28C256', sdp=1, verify=1)
R(2, 30,   32, 0, 0, 0, 8, FL, 1, '28C256B', sdp=1, verify=1)
R(2, 30,  128, 0, 1, 0, 8, FL, 2, '28C010', sdp=1, verify=1)
R(2, 30,  512, 0, 1, 0, 8, FL, 2, '28C040', sdp=1, verify=1)
# 15: page-write flash with SDP; cols 4,5 = page code (64,128,256,512)
R(2, 15,   32, 0, 0, 0, 8, FL, 1, '29C256', sdp=1, verify=1)
R(2, 15,   64, 0, 1, 0, 8, FL, 2, '29C512', sdp=1, verify=1)
R(2, 15,  128, 0, 1, 0, 8, FL, 2, '29C010', sdp=1, verify=1, bblread=1)
R(2, 15,  256, 1, 0, 0, 8, FL, 2, '29C020', sdp=1, verify=1, bblread=1)
R(2, 15,  512, 1, 0, 0, 8, FL, 2, '29C040', sdp=1, verify=1, bblread=1)
R(2, 15,  256, 0, 1, 0, 8, FL, 2, 'W29C020', sdp=1, verify=1)
R(2, 15,   64, 0, 1, 0, 8, FL, 2, '29EE512', sdp=1, verify=1)
R(2, 15,  128, 0, 1, 0, 8, FL, 2, '29EE010', sdp=1, verify=1)
R(2, 15,  128, 0, 1, 0, 8, FL, 2, '29EE011', sdp=1, verify=1)
R(2, 15,  256, 0, 1, 0, 8, FL, 2, '29EE020', sdp=1, verify=1)
R(2, 15,  512, 1, 0, 0, 8, FL, 2, '28SF040', sdp=1, verify=1)
# 16: boot-block flash with lockout; col 4 = 1 for the parts whose pin 1 is not RESET
R(2, 16,  128, 0, 0, 0, 8, FL, 2, '49F001', bblset=1, bblread=1)
R(2, 16,  128, 1, 0, 0, 8, FL, 2, '49F001N', bblset=1, bblread=1)
R(2, 16,  256, 0, 0, 0, 8, FL, 2, '49F002', bblset=1, bblread=1)
R(2, 16,  256, 1, 0, 0, 8, FL, 2, '49F002N', bblset=1, bblread=1)
R(2, 16,  128, 0, 0, 0, 8, FL, 2, '49F010', bblset=1, bblread=1)
R(2, 16,  256, 0, 0, 0, 8, FL, 2, '49F020', bblset=1, bblread=1)
R(2, 16,  512, 0, 0, 0, 8, FL, 2, '49F040', bblset=1, bblread=1)
R(2, 16, 1024, 0, 0, 0, 8, FL, 9, '49F008', bblset=1, bblread=1)
R(2, 16, 2048, 0, 0, 0, 8, FL, 9, '49F016', bblset=1, bblread=1)
R(2, 16, 2048, 0, 0, 0, 8, FL, 7, '49F160', bblset=1, bblread=1)
# 17: 8-bit boot-block flash, -B bottom (variant 0) / -T top (variant 1)
R(2, 17,  128, 0, 1, 0, 8, FL, 2, '28F001BX-B', variant=0)
R(2, 17,  128, 0, 1, 0, 8, FL, 2, '28F001BX-T', variant=1)
R(2, 17,  256, 1, 1, 0, 8, FL, 9, '28F002BX-B', variant=0)
R(2, 17,  256, 1, 1, 0, 8, FL, 9, '28F002BX-T', variant=1)
R(2, 17,  512, 1, 1, 0, 8, FL, 9, '28F004BX-B', variant=0)
R(2, 17,  512, 1, 1, 0, 8, FL, 9, '28F004BX-T', variant=1)
R(2, 17, 1024, 1, 1, 0, 8, FL, 9, '28F008BX-B', variant=0)
R(2, 17, 1024, 1, 1, 0, 8, FL, 9, '28F008BX-T', variant=1)
# 38: 16-bit boot-block flash (size in K words)
R(2, 38,  128, 1, 0, 0, 16, FL, 7, '28F200BX-B', variant=0)
R(2, 38,  128, 1, 0, 0, 16, FL, 7, '28F200BX-T', variant=1)
R(2, 38,  256, 1, 0, 0, 16, FL, 7, '28F400BX-B', variant=0)
R(2, 38,  256, 1, 0, 0, 16, FL, 7, '28F400BX-T', variant=1)
R(2, 38,  512, 1, 0, 0, 16, FL, 7, '28F800BX-B', variant=0)
R(2, 38,  512, 1, 0, 0, 16, FL, 7, '28F800BX-T', variant=1)
R(2, 38, 4096, 1, 0, 0, 16, FL, 7, '28F640Bx16', variant=0)
R(2, 38, 4096, 1, 0, 0, 16, FL, 7, '28F640Tx16', variant=1)
# 12: 12 V bulk-erase flash
for n, s in (('28F256', 32), ('28F512', 64), ('28F010', 128), ('28F020', 256),
             ('28F1000', 128), ('28F2000', 256)):
    R(2, 12, s, 0, 2, 0, 8, FL, 2, n)
# 24: 12 V bulk-erase flash, 16-bit
R(2, 24,   64, 0, 2, 0, 16, FL, 7, '28F102', variant=0)
# 11: 5 V JEDEC flash
for n, s, a in (('29F512', 64, 2), ('29F001', 128, 2), ('29F001N', 128, 2), ('29F010', 128, 2),
                ('29F010B', 128, 2), ('29F002', 256, 2), ('29F002N', 256, 2), ('29F020', 256, 2),
                ('29F004', 512, 2), ('29F040', 512, 2), ('29F040B', 512, 2), ('29F008', 1024, 9),
                ('39SF512', 64, 2), ('39SF010', 128, 2), ('39SF020', 256, 2), ('39SF040', 512, 2)):
    R(2, 11, s, 3, 3, 0, 8, FL, a, n)
# 36: x8/x16 boot-sector flash in byte mode; col 6 (optC) = 1: byte mode
for n, s in (('29F100', 128), ('29F200', 256), ('29F400', 512), ('29F800', 1024),
             ('29F160', 2048), ('29F320', 4096)):
    R(2, 36, s, 0, 0, 1, 8, FL, 7, n, variant=1)
# 37: the same family with fast programming
for n, s in (('29FW800', 1024), ('29FW160', 2048), ('29FW320', 4096)):
    R(2, 37, s, 0, 0, 1, 8, FL, 7, n, variant=1)
# 47: 16-bit JEDEC flash (K words); variant 0: 555/2AA commands, 1: 5555/2AAA; col 6 = fast
R(2, 47, 4096, 0, 0, 0, 16, FL, 7, '29F640x16', variant=0)
R(2, 47, 4096, 0, 0, 1, 16, FL, 7, '29FW640x16', variant=0)
R(2, 47,  256, 0, 0, 0, 16, FL, 7, '49F4096', variant=1)
R(2, 47,  512, 0, 0, 0, 16, FL, 7, '39F800', variant=1)
R(2, 47, 1024, 0, 0, 0, 16, FL, 7, '39F160', variant=1)
# 58: large 16-bit flash with write buffer (K words)
R(2, 58, 16384, 3, 3, 0, 16, FL, 7, '29GL256x16')
# 34: 3 V flash with chip erase
R(2, 34, 1024, 3, 3, 0, 8, FL, 9, '39V080')
# 33: 3 V firmware-hub flash with 64 KB blocks
for n, s in (('49LF002', 256), ('49LF004', 512), ('49LF008', 1024),
             ('i82802AB', 512), ('i82802AC', 1024)):
    R(2, 33, s, 3, 3, 0, 8, FL, 10, n)
# 48..51: 3 V serial flash
for n, s in (('25F40', 512), ('25F320', 4096), ('25F640', 8192), ('25F128', 16384),
             ('25F256', 32768)):
    R(2, 48, s, 0, 0, 0, 8, FL, 17, n)
R(2, 49, 1024, 0, 0, 0, 8, FL, 17, '25VF080')
R(2, 49, 4096, 0, 0, 0, 8, FL, 17, '25VF320')
R(2, 50,   64, 0, 0, 0, 8, FL, 17, '25VF512')
R(2, 51,  128, 0, 0, 0, 8, FL, 17, '25LV010')
# 57: DataFlash; col 6 = page size code (0: 264, 1: 528)
R(2, 57, 1024, 0, 0, 0, 8, FL, 17, '45DB081')
R(2, 57, 2048, 0, 0, 1, 8, FL, 17, '45DB161')
# 46: small NAND without spare area, 32-byte frames
R(2, 46,  512, 0, 0, 0, 8, FL, 17, 'K9F4008')
# 60, 61, 62: NAND; col 4 = 32-page blocks, col 6 = page size code (1: 528, 3: 2112)
R(2, 60,  8192, 0, 0, 1, 8, FL, 17, 'K9F6408')
R(2, 61, 32768, 1, 0, 1, 8, FL, 17, 'K9F5608')
R(2, 61, 65536, 1, 0, 1, 8, FL, 17, 'K9F1208')
R(2, 62, 131072, 0, 0, 3, 8, FL, 17, 'K9F1G08', variant=0)

# ---------------------------------------------------------------- class 3
comment('Static RAM')
R(3, 13, 2, 3, 0, 0, 8, RAM, 0, '6116')
R(3, 29, 8, 3, 0, 0, 8, RAM, 0, '62C64')

# ---------------------------------------------------------------- class 4
comment('Serial EEPROM: size in kilobits; cols 4/5/6 = address mode / page code / bus options')
# 21: I2C. col 4: 0 word address only, 1 one address byte, 2 two bytes, 3 two bytes + A16
for n, s, am, pg in (('24C01', 1, 0, 1), ('24C01A', 1, 1, 1), ('24C02', 2, 1, 2),
                     ('24C02A', 2, 1, 1), ('24C04', 4, 1, 3), ('24C04A', 4, 1, 1),
                     ('24C08', 8, 1, 3), ('24C16', 16, 1, 3), ('24C32', 32, 2, 4),
                     ('24C32A', 32, 2, 4), ('24C64', 64, 2, 4), ('24C65', 64, 2, 5),
                     ('24C128', 128, 2, 5), ('24C256', 256, 2, 5), ('24C512', 512, 2, 6),
                     ('24C1024', 1024, 3, 6)):
    R(4, 21, s, am, pg, 0, 8, SEE, 0, n)
# 23: Microwire. col 4 = address bits - 6; col 6 bit 0 = ORG high (x16)
for n, s, ab, w in (('93C46', 1, 7, 8), ('93C46B', 1, 6, 16), ('93C56', 2, 9, 8),
                    ('93C56B', 2, 8, 16), ('93C66', 4, 9, 8), ('93C66B', 4, 8, 16),
                    ('93C76', 8, 11, 8), ('93C86', 16, 11, 8)):
    R(4, 23, s, ab - 6, 0, 1 if w == 16 else 0, w, SEE, 0, n)
# 22: SPI EEPROM. col 4 = address bytes, 3: one byte with address bit 8 in the instruction
for n, s, ab, pg, v in (('25C020', 2, 1, 1, 1), ('25C040', 4, 3, 1, 1), ('25C080', 8, 2, 3, 1),
                        ('25C160', 16, 2, 3, 1), ('25C320', 32, 2, 4, 1), ('25C640', 64, 2, 4, 1),
                        ('25C128', 128, 2, 5, 1), ('25C256', 256, 2, 5, 1),
                        ('25C512', 512, 2, 6, 1)):
    R(4, 22, s, ab, pg, 0, 8, SEE, 0, n, variant=v)

# ---------------------------------------------------------------- class 5
comment('PIC: size in KB (two bytes a word); col 4 = configuration layout line; col 5 = A-series')
comment('programming; col 6 = Vpp before Vdd')
for n, s, line, alg, vcc, ad in (
        ('PIC16F83', 1, 0, 0, 0, 6), ('PIC16F84', 2, 0, 0, 0, 6), ('PIC16F84A', 2, 0, 0, 0, 6),
        ('PIC16F627', 2, 2, 0, 1, 6), ('PIC16F628', 4, 2, 0, 1, 6),
        ('PIC16F627A', 2, 11, 1, 1, 6), ('PIC16F628A', 4, 11, 1, 1, 6),
        ('PIC16F648A', 8, 13, 1, 1, 6),
        ('PIC16F870', 4, 1, 0, 0, 11), ('PIC16F871', 4, 1, 0, 0, 12), ('PIC16F872', 4, 1, 0, 0, 11),
        ('PIC16F873', 8, 3, 0, 0, 11), ('PIC16F874', 8, 3, 0, 0, 12),
        ('PIC16F876', 16, 3, 0, 0, 11), ('PIC16F877', 16, 3, 0, 0, 12),
        ('PIC16F873A', 8, 7, 1, 0, 11), ('PIC16F874A', 8, 7, 1, 0, 12),
        ('PIC16F876A', 16, 4, 1, 0, 11), ('PIC16F877A', 16, 4, 1, 0, 12)):
    R(5, 27, s, line, alg, vcc, 14, PIC, ad, n, variant=1)
for n, s, ad in (('PIC18F242', 16, 11), ('PIC18F252', 32, 11),
                 ('PIC18F442', 16, 12), ('PIC18F452', 32, 12)):
    R(5, 43, s, 4, 0, 0, 8, PIC, ad, n, variant=1)

# ---------------------------------------------------------------- class 6
comment('AVR: size in KB (two bytes a word); col 4 = EEPROM size code; col 6 = fuse layout line')
# 26: serial programming, 64-byte pieces; col 5 = 1 when the part has boot-lock bits
for n, s, ee, line, blb, sig in (
        ('ATmega8', 8, 3, 1, 1, '9307'), ('ATmega16', 16, 3, 2, 1, '9403'),
        ('ATmega32', 32, 4, 2, 1, '9502'), ('ATmega128', 128, 5, 6, 1, '9702'),
        ('ATmega8515', 8, 3, 3, 1, '9306'), ('ATmega8535', 8, 3, 4, 1, '9308'),
        ('ATmega162', 16, 3, 5, 1, '9404'), ('ATmega48', 4, 2, 7, 0, '9205'),
        ('ATmega88', 8, 3, 8, 1, '930A'), ('ATmega168', 16, 3, 8, 1, '9406'),
        ('ATmega328P', 32, 4, 9, 1, '950F'), ('ATtiny44', 4, 2, 7, 0, '9207'),
        ('ATtiny45', 4, 2, 7, 0, '9206'), ('ATtiny84', 8, 3, 7, 0, '930C'),
        ('ATtiny85', 8, 3, 7, 0, '930B')):
    R(6, 26, s, ee, blb, line, 16, AVR, 13, n, sig=(sig[:2], sig[2:]))
# 52: serial programming of the small tiny parts, 32-byte pieces
for n, s, ee, line, sig in (('ATtiny13', 1, 0, 12, '9007'), ('ATtiny24', 2, 1, 7, '910B'),
                            ('ATtiny25', 2, 1, 7, '9108'), ('ATtiny26', 2, 1, 11, '9109'),
                            ('ATtiny2313', 2, 1, 10, '910A')):
    R(6, 52, s, ee, 0, line, 16, AVR, 13, n, sig=(sig[:2], sig[2:]))
# 55: high-voltage serial programming
for n, s, ee, line, sig in (('ATtiny13HV', 1, 0, 12, '9007'), ('ATtiny25HV', 2, 1, 7, '9108'),
                            ('ATtiny45HV', 4, 2, 7, '9206'), ('ATtiny85HV', 8, 3, 7, '930B')):
    R(6, 55, s, ee, 0, line, 16, AVR, 0, n, sig=(sig[:2], sig[2:]))
# 45 variant 0: high-voltage parallel programming; col 5 = 0 when there is an extended fuse byte
for n, s, ee, line, ext, ad, sig in (
        ('ATmega8HV', 8, 3, 1, 1, 16, '9307'), ('ATmega16HV', 16, 3, 2, 1, 15, '9403'),
        ('ATmega32HV', 32, 4, 2, 1, 15, '9502'), ('ATmega8515HV', 8, 3, 3, 1, 14, '9306'),
        ('ATmega8535HV', 8, 3, 4, 1, 15, '9308'), ('ATmega162HV', 16, 3, 5, 0, 14, '9404'),
        ('ATmega48HV', 4, 2, 7, 0, 16, '9205'), ('ATmega88HV', 8, 3, 8, 0, 16, '930A'),
        ('ATmega168HV', 16, 3, 8, 0, 16, '9406'), ('ATtiny2313HV', 2, 1, 10, 0, 5, '910A')):
    R(6, 45, s, ee, 0 if ext == 0 else 1, line, 16, AVR, ad, n, variant=0, sig=(sig[:2], sig[2:]))
# 45 variant 1: parallel programming of the AT90S parts (one fuse/lock byte)
for n, s, ee, line, ad, sig in (
        ('AT90S1200HV', 1, 0, 18, 5, '9001'), ('AT90S2313HV', 2, 1, 19, 5, '9101'),
        ('AT90S4414HV', 4, 2, 19, 14, '9201'), ('AT90S8515HV', 8, 3, 19, 14, '9301'),
        ('AT90S4434HV', 4, 2, 19, 15, '9202'), ('AT90S8535HV', 8, 3, 19, 15, '9303')):
    R(6, 45, s, ee, 1, line, 16, AVR, ad, n, variant=1, sig=(sig[:2], sig[2:]))
# 28: serial programming of the AT90S parts (no fuse panel)
for n, s, ee, sig in (('AT90S1200', 1, 0, '9001'), ('AT90S2313', 2, 1, '9101'),
                      ('AT90S4414', 4, 2, '9201'), ('AT90S8515', 8, 3, '9301'),
                      ('AT90S4434', 4, 2, '9202'), ('AT90S8535', 8, 3, '9303')):
    R(6, 28, s, ee, 0, 0, 16, AVR, 13, n, sig=(sig[:2], sig[2:]))
# 42: serial programming, one fuse byte, lock bits 1 and 2
for n, s, ee, line, sig in (('AT90S2323', 2, 1, 16, '9102'), ('AT90S2343', 2, 1, 17, '9103'),
                            ('AT90S2333', 2, 1, 15, '9105'), ('AT90S4433', 4, 2, 15, '9203'),
                            ('ATtiny12', 1, 0, 13, '9005'), ('ATtiny15', 1, 0, 14, '9006')):
    R(6, 42, s, ee, 0, line, 16, AVR, 13, n, sig=(sig[:2], sig[2:]))

def write(name, lines):
    data = ''.join(l + '\r\n' for l in lines).encode('cp1251')
    with open(os.path.join(OUT, name), 'wb') as f:
        f.write(data)

write('prgplus.lst', rows)

# ---------------------------------------------------------------- adapters, codes 0..17
adapt = [
    '',
    'DIP : none;PLCC: DIP28-PLCC32; ',
    'DIP : none;PLCC: DIP32-PLCC32; ',
    'DIP : none;PLCC: DIP40-PLCC44; ',
    '',
    'DIP : DIP32-DIP20;DIP : DIP40-DIP20; ',
    'DIP : DIP32-PIC18;DIP : DIP40-PIC18; ',
    'SO44: Flash8-16;TSOP: Flash8-16; ',
    'DIP : EPROM8-16;PLCC: EPROM8-16; ',
    'TSOP: TSOP40; ',
    'PLCC: FWH-32; ',
    'DIP : DIP32-PIC8/28;DIP : DIP40-PIC8/28; ',
    'DIP : DIP32-PIC40;DIP : DIP40-PIC40; ',
    'ISP : DIP32-AVR-ISP;ISP : DIP40-AVR-ISP; ',
    'DIP : Atmega8515; ',
    'DIP : Atmega16; ',
    'DIP : Atmega8; ',
    '-; ',
]
for l in adapt:
    assert len(l) <= 45, l
write('prgadapt.lst', adapt)

# ---------------------------------------------------------------- mid-range PIC layouts
OSC4 = 'Osc,LP 3FFC,XT 3FFD,HS 3FFE,RC @'
OSC8 = 'Osc,LP 3FEC,XT 3FED,HS 3FEE,EC 3FEF,INTIO 3FFC,INT 3FFD,ERIO 3FFE,ER @'
WDT = 'Wdt,ON @,OF 3FFB'
PWRT = 'PwrT,ON 3FF7,OF @'
BOD = 'Bod,ON @,OF 3FBF'
LVP = 'LVP,ON @,OF 3F7F'
CPD = 'CPD,OF @,ON 3EFF'
MCLR = 'MCLR,ON @,OF 3FDF'
DEBUG = 'Debug,OF @,ON 37FF'
L84 = '3FFF ' + ';'.join([OSC4, WDT, PWRT, 'CP,OFF @,ALL 000F']) + '#'
L87X = '3FFF ' + ';'.join([OSC4, WDT, PWRT, 'CP,OFF @,UP 2FEF,HA 1FDF,ALL 0FCF', BOD, LVP, CPD,
                           'WRT,ON @,OF 3DFF', DEBUG]) + '#'
L62X = '3FFF ' + ';'.join([OSC8, WDT, PWRT, 'CP,OFF @,HA 2BFF,Upper3/4 17FF,ALL 03FF', BOD, LVP,
                           CPD, MCLR]) + '#'
L87XA = '3FFF ' + ';'.join([OSC4, WDT, PWRT, 'CP,OFF @,ALL 1FFF', BOD, LVP, CPD,
                            'WRT,OFF @,LO 3DFF,QU 3BFF,LHA 39FF', DEBUG]) + '#'
L62XA = '3FFF ' + ';'.join([OSC8, WDT, PWRT, 'CP,OFF @,ALL 1FFF', BOD, LVP, CPD, MCLR]) + '#'
pic = [L84, L87X, L62X, L87X, L87XA, L84, L84, L87XA, L84, L84, L84, L62XA, L87XA, L62XA, ';']
write('prgpic16.lst', pic)

# ---------------------------------------------------------------- AVR fuse layouts (line 1 first)
def fl(defaults, low=(), high=(), ext=()):
    assert len(defaults) in (2, 4, 6)
    names = list(low) + [''] * (8 - len(low))
    if high or ext:
        names += list(high) + [''] * (8 - len(high))
    if ext:
        names += list(ext) + [''] * (5 - len(ext))
    while names and names[-1] == '':
        names.pop()
    return defaults.ljust(7) + ','.join(names) + ' '

CK4 = ['CKSEL0', 'CKSEL1', 'CKSEL2', 'CKSEL3', 'SUT0', 'SUT1']
LOW_BOD = CK4 + ['BODEN', 'BODLEVEL']
LOW_DIV = CK4 + ['CKOUT', 'CKDIV8']
BOOT = ['BOOTRST', 'BOOTSZ0', 'BOOTSZ1', 'EESAVE']
NEWHIGH = ['BODLEVEL0', 'BODLEVEL1', 'BODLEVEL2', 'EESAVE', 'WDTON', 'SPIEN', 'DWEN', 'RSTDISBL']
atmel = [
    fl('E1D9', LOW_BOD, BOOT + ['CKOPT', 'SPIEN', 'WDTON', 'RSTDISBL']),            # 1 ATmega8
    fl('E199', LOW_BOD, BOOT + ['CKOPT', 'SPIEN', 'JTAGEN', 'OCDEN']),              # 2 ATmega16/32
    fl('E1D9', LOW_BOD, BOOT + ['CKOPT', 'SPIEN', 'WDTON', 'S8515C']),              # 3 ATmega8515
    fl('E1D9', LOW_BOD, BOOT + ['CKOPT', 'SPIEN', 'WDTON', 'S8535C']),              # 4 ATmega8535
    fl('6299FF', LOW_DIV, BOOT + ['WDTON', 'SPIEN', 'JTAGEN', 'OCDEN'],
       ['', 'BODLEVEL0', 'BODLEVEL1', 'BODLEVEL2', 'M161C']),                         # 5 ATmega162
    fl('E199FD', LOW_BOD, BOOT + ['CKOPT', 'SPIEN', 'JTAGEN', 'OCDEN'],
       ['WDTON', 'M103C']),                                                          # 6 ATmega128
    fl('62DFFF', LOW_DIV, NEWHIGH, ['SELFPRGEN']),                                   # 7 ATmega48, ATtiny24..85
    fl('62DFF9', LOW_DIV, NEWHIGH, ['BOOTRST', 'BOOTSZ0', 'BOOTSZ1']),               # 8 ATmega88/168
    fl('62D9FF', LOW_DIV, BOOT + ['WDTON', 'SPIEN', 'DWEN', 'RSTDISBL'],
       ['BODLEVEL0', 'BODLEVEL1', 'BODLEVEL2']),                                     # 9 ATmega328P
    fl('64DFFF', LOW_DIV, ['RSTDISBL', 'BODLEVEL0', 'BODLEVEL1', 'BODLEVEL2', 'WDTON', 'SPIEN',
                           'EESAVE', 'DWEN'], ['SELFPRGEN']),                         # 10 ATtiny2313
    fl('E1F7', CK4 + ['CKOPT', 'PLLCK'], ['BODEN', 'BODLEVEL', 'EESAVE', 'SPIEN', 'RSTDISBL']),  # 11 ATtiny26
    fl('6AFF', ['CKSEL0', 'CKSEL1', 'SUT0', 'SUT1', 'CKDIV8', 'WDTON', 'EESAVE', 'SPIEN'],
       ['RSTDISBL', 'BODLEVEL0', 'BODLEVEL1', 'DWEN', 'SELFPRGEN']),                 # 12 ATtiny13
    fl('52', ['CKSEL0', 'CKSEL1', 'CKSEL2', 'CKSEL3', 'RSTDISBL', 'SPIEN', 'BODEN', 'BODLEVEL']),  # 13 ATtiny12
    fl('5C', ['CKSEL0', 'CKSEL1', '', '', 'RSTDISBL', 'SPIEN', 'BODEN', 'BODLEVEL']),  # 14 ATtiny15
    fl('DA', ['CKSEL0', 'CKSEL1', 'CKSEL2', 'BODEN', 'BODLEVEL', 'SPIEN']),            # 15 AT90S2333/4433
    fl('DF', ['FSTRT', '', '', '', '', 'SPIEN']),                                      # 16 AT90S2323
    fl('DE', ['RCEN', '', '', '', '', 'SPIEN']),                                       # 17 AT90S2343
    fl('DF', ['RCEN', '', '', '', '', 'SPIEN']),                                       # 18 AT90S1200 (parallel)
    fl('DF', ['FSTRT', '', '', '', '', 'SPIEN']),                                      # 19 AT90S2313..8535 (parallel)
]
while len(atmel) < 26:
    atmel.append('FF     ')       # spare lines: no fuse names
atmel.append('FF     ')           # 27: MCS-51 serial parts (lock bits only)
atmel.append(';')
write('prgatmel.lst', atmel)
print(len([r for r in rows if not r.startswith('99')]), 'rows')
